#include "GearbayApplication.h"

#include "ConfigureStore.h"
#include "File.h"
#include "TargetPath.h"
#include "TipDialog.h"
#include "ToolCatalog.h"
#include "Utilities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPluginLoader>
#include <QProcess>
#include <QStandardPaths>
#include <QStyle>
#include <QTextStream>
#include <QTranslator>
#include <QtCore/qfactoryinterface.h>
#include <QtDebug>

namespace gearbay {

namespace {
// Installed CJK families that stand in for the program's font name, best first.
const QStringList kFontSubstitutes = {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC"),
                                      QStringLiteral("Source Han Sans SC"), QStringLiteral("WenQuanYi Micro Hei"),
                                      QStringLiteral("Droid Sans Fallback")};

QFactoryInterface *factoryWithKey(QObject *instance, const QString &key)
{
    if (instance == nullptr)
        return nullptr;
    auto *factory = static_cast<QFactoryInterface *>(instance->qt_metacast("org.qt-project.Qt.QFactoryInterface"));
    if (factory != nullptr && factory->keys().contains(key))
        return factory;
    return nullptr;
}
} // namespace

GearbayApplication::GearbayApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    serverName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    checkRunningInstance();
}

QString GearbayApplication::instanceSocketPath(const QString &strServerName)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QLatin1Char('/') + strServerName;
}

bool GearbayApplication::init()
{
    const QString setupPath = QCoreApplication::applicationDirPath() + QStringLiteral("/Setup.xml");
    if (!ConfigureStore::instance()->load(setupPath)) {
        qWarning().noquote() << "---orlenk--- cannot read the settings file" << setupPath;
        return false;
    }
    if (startPendingUpgrade())
        return false;
    if (!initDownloadPath())
        return false;
    loadFont();
    loadSkin();
    loadStyle();
    loadTranslator();
    return !showAlreadyRunning();
}

// --- single instance ---------------------------------------------------------------------------

void GearbayApplication::checkRunningInstance()
{
    const QString socketPath = instanceSocketPath(serverName);
    QLocalSocket socket;
    socket.connectToServer(socketPath, QIODevice::ReadWrite);
    if (socket.waitForConnected(500)) {
        alreadyRunning = true;
        const QStringList arguments = QCoreApplication::arguments();
        QTextStream stream(&socket);
        stream << (arguments.size() >= 2 ? arguments.last() : QString());
        stream.flush();
        socket.waitForBytesWritten(30000);
        return;
    }
    createLocalServer();
}

void GearbayApplication::createLocalServer()
{
    const QString socketPath = instanceSocketPath(serverName);
    localServer = new QLocalServer(this);
    localServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(localServer, &QLocalServer::newConnection, this, &GearbayApplication::onNewLocalConnection);
    if (localServer->listen(socketPath))
        return;
    if (localServer->serverError() == QAbstractSocket::AddressInUseError) {
        // Nobody answered the probe, so the name is left over from a copy that crashed.
        QLocalServer::removeServer(socketPath);
        if (!localServer->listen(socketPath))
            qWarning().noquote() << "---orlenk--- single-instance socket unavailable:" << localServer->errorString();
    }
}

void GearbayApplication::onNewLocalConnection()
{
    QLocalSocket *socket = localServer->nextPendingConnection();
    if (socket == nullptr)
        return;
    socket->waitForReadyRead(1000);
    delete socket;
    if (window == nullptr)
        return;
    qWarning("---orlenk--- another copy was started: window raised");
    window->raise();
    window->activateWindow();
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
}

bool GearbayApplication::showAlreadyRunning()
{
    if (alreadyRunning) {
        // Also for whoever started it from a terminal.
        const QString text = tr("Client is already running.");
        qWarning().noquote() << text;
        TipDialog::showTip(QStringLiteral(":/Gearbay/Image/Gearbai/icon/notice.png"), text, tr("OK"), tr("Cancel"),
                           false, nullptr);
    }
    return alreadyRunning;
}

// --- settings, update hand-over, download path ---------------------------------------------------

bool GearbayApplication::startPendingUpgrade()
{
    const QString marker =
        QStandardPaths::writableLocation(QStandardPaths::HomeLocation) + QStringLiteral("/Rig Warden");
    if (!QFile::exists(marker) || ConfigureStore::instance()->isNeedUpdate() != 1)
        return false;
    const QString copier = QDir::currentPath() + QStringLiteral("/Stilemend/Stilemend");
    const bool bStarted = QProcess::startDetached(copier, {copier, QStringLiteral("Rig Warden")});
    if (!bStarted)
        qWarning().noquote() << "---orlenk--- cannot start the update copier" << copier;
    return bStarted;
}

bool GearbayApplication::initDownloadPath()
{
    ConfigureStore *store = ConfigureStore::instance();
    if (store->downloadPath().isEmpty() && diskFreeSpaceGB(QDir::currentPath()) > 2) {
        if (!store->setDownloadPath(QDir::currentPath() + QStringLiteral("/Download"))) {
            qWarning().noquote() << "---orlenk--- cannot write the download path into" << store->filePath();
            return false;
        }
    }
    ToolCatalog *catalog = ToolCatalog::instance();
    if (catalog->init())
        return true;
    for (const QString &path : {catalog->toolsInfoListPath(), catalog->toolsStateListPath()}) {
        if (!QFile::exists(path))
            qWarning().noquote() << "---orlenk--- missing catalog file" << path;
    }
    qWarning().noquote() << "---orlenk--- cannot load the catalog" << catalog->toolsInfoListPath() << "and"
                         << catalog->toolsStateListPath();
    return false;
}

// --- look and language -------------------------------------------------------------------------

void GearbayApplication::loadFont()
{
    // The family name stays the program's own; it resolves to an installed CJK font.
    const QString family = QStringLiteral("Microsoft YaHei");
    QFont::insertSubstitutions(family, kFontSubstitutes);
    QFont font(family);
    font.setKerning(false);
    font.setStyleHint(QFont::AnyStyle, QFont::PreferAntialias);
    font.setPointSize(9);
    QApplication::setFont(font);
}

QFactoryInterface *GearbayApplication::loadFactoryPlugin(const QString &key, const QString &directory)
{
    if (directory.isNull())
        return nullptr;
    const QStringList names = QDir(directory).entryList(QDir::Files);
    for (const QString &name : names) {
        QPluginLoader loader(QDir::cleanPath(directory + QLatin1Char('/') + name));
        if (!loader.isLoaded()) {
            if (!loader.load())
                continue;
            if (QFactoryInterface *factory = factoryWithKey(loader.instance(), key))
                return factory;
            loader.unload();
        } else if (QFactoryInterface *factory = factoryWithKey(loader.instance(), key)) {
            return factory;
        }
    }
    return nullptr;
}

void GearbayApplication::loadSkin()
{
    const QString key = QStringLiteral("CommonSkinPlugin");
    QFactoryInterface *factory = loadFactoryPlugin(key, vellum::GetTargetPath());
    qWarning("---orlenk--- LoadSkin = %s %s", qPrintable(key), factory != nullptr ? "Success" : "failed");
}

void GearbayApplication::loadStyle()
{
    const QString key = QStringLiteral("CommonStyle");
    QFactoryInterface *factory = loadFactoryPlugin(key, vellum::GetTargetPath());
    qWarning("---orlenk---LoadStyle = %s %s", qPrintable(key), factory != nullptr ? "Success" : "failed");

    QStyle *style = nullptr;
    if (auto *object = dynamic_cast<QObject *>(factory)) {
        QMetaObject::invokeMethod(object, "create", Qt::DirectConnection, Q_RETURN_ARG(QStyle *, style),
                                  Q_ARG(const QString &, key));
    }
    if (style == nullptr)
        qDebug() << "---orlenk--- [GearbayApplication::loadStyle]The CommonStyle does not exist.";
    else
        QApplication::setStyle(style);

    const QString qssDir = QStringLiteral(":/Gearbay/Qss/");
    const QStringList files = QDir(qssDir).entryList(QDir::Files, QDir::Unsorted);
    setStyleSheet(vellum::File::ReadAll(files, qssDir));
}

void GearbayApplication::loadTranslator()
{
    auto *translator = new QTranslator(this);
    const QString file = QCoreApplication::applicationDirPath() +
                         (ConfigureStore::instance()->translator() == 0 ? QStringLiteral("/translations/gearbay_en.qm")
                                                                        : QStringLiteral("/translations/gearbay_zh.qm"));
    if (translator->load(file))
        installTranslator(translator);
    else
        qWarning().noquote() << "---orlenk--- no translation" << file;
    installQtTranslation(ConfigureStore::instance()->translator());
}

} // namespace gearbay
