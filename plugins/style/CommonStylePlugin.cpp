#include "CommonStylePlugin.h"

#include "FlatStyle.h"

CommonStylePlugin::CommonStylePlugin(QObject *parent)
    : QObject(parent)
{
}

QStringList CommonStylePlugin::keys() const
{
    return {QStringLiteral("CommonStyle")};
}

QStyle *CommonStylePlugin::create(const QString &key)
{
    if (key != QLatin1String("CommonStyle"))
        return nullptr;
    return new FlatStyle;
}
