#pragma once

#include <QObject>
#include <QStringList>
#include <QtCore/qfactoryinterface.h>

class QStyle;

// The style factory start-up loads by its key; `create` hands out the program's flat style.
class CommonStylePlugin : public QObject, public QFactoryInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QFactoryInterface")
    Q_INTERFACES(QFactoryInterface)

public:
    explicit CommonStylePlugin(QObject *parent = nullptr);

    QStringList keys() const override;

    // A new style for the key "CommonStyle" (owned by the caller), null for any other key.
    Q_INVOKABLE QStyle *create(const QString &key);
};
