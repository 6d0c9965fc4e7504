#pragma once

#include <QApplication>
#include <QLocalServer>
#include <QPointer>
#include <QString>

class QFactoryInterface;
class QWidget;

namespace gearbay {

// The application object: brings the program up in a fixed order (working directory, one copy per
// user, settings, pending self-update, download path and catalog, font, skin, style, translation)
// and raises the window when another copy is started.
class GearbayApplication : public QApplication
{
    Q_OBJECT

public:
    GearbayApplication(int &argc, char **argv);

    // False when the program must end before a window appears.
    bool init();

    QWidget *window = nullptr;

    // Where the single-instance socket of an executable name lives: the user's runtime directory,
    // so the copies of two users never meet.
    static QString instanceSocketPath(const QString &strServerName);

    // The first plugin in directory whose factory offers key, or null.
    static QFactoryInterface *loadFactoryPlugin(const QString &key, const QString &directory);

private slots:
    void onNewLocalConnection();

private:
    void checkRunningInstance();
    void createLocalServer();
    bool startPendingUpgrade();
    bool initDownloadPath();
    void loadFont();
    void loadSkin();
    void loadStyle();
    void loadTranslator();
    bool showAlreadyRunning();

    bool alreadyRunning = false;
    QPointer<QLocalServer> localServer; // the window deletes it before a restart
    QString serverName;
};

} // namespace gearbay
