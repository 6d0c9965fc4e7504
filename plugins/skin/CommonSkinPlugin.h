#pragma once

#include <QObject>
#include <QStringList>
#include <QtCore/qfactoryinterface.h>

// The skin factory start-up loads by its key: it gives the application the program's palette.
class CommonSkinPlugin : public QObject, public QFactoryInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QFactoryInterface")
    Q_INTERFACES(QFactoryInterface)

public:
    explicit CommonSkinPlugin(QObject *parent = nullptr);

    QStringList keys() const override;
};
