#include "Gearbay.h"

#include "ClientRequestManager.h"
#include "ConfigureStore.h"
#include "CoverWidget.h"
#include "Corvanet.h"
#include "FrameHitTest.h"
#include "PortProbe.h"
#include "RequestParam.h"
#include "ServerProtocol.h"
#include "ServerProcess.h"
#include "TipDialog.h"
#include "ToolBoxWidget.h"
#include "ToolCatalog.h"
#include "ToolDownloadWidget.h"
#include "ToolMoreInfoWidget.h"
#include "UpdateVersionDialog.h"
#include "WindowTitleWidget.h"
#include "ui_GearbayWidget.h"

#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMouseEvent>
#include <QShortcut>
#include <QTimer>
#include <QWindow>
#include <QtDebug>

namespace gearbay {

namespace {
const char *const kNoticeIcon = ":/Gearbay/Image/Gearbai/icon/notice.png";
const char *const kSureIcon = ":/Gearbay/Image/Gearbai/icon/sure.png";
// Downloads (methods 1 to 3) the server runs at once; further tools wait in the window.
constexpr int kMaxInFlight = 3;
const QString kWaitingValue = QStringLiteral("120");
// The server process runs before it listens: the first requests after a start may find the port
// shut. They are sent again a bounded number of times per start.
constexpr int kCouldNotConnect = 7;
constexpr int kConnectRetries = 30;
constexpr int kConnectRetryMs = 300;
// A server that keeps dying is left dead: at most this many restarts within the window.
constexpr int kMaxRestarts = 3;
constexpr qint64 kRestartWindowMs = 60 * 1000;
// What the pages hear for a download the dead server held: the code of a failed exchange.
const QString kServerLostValue = QStringLiteral("110");

void putIntoHolder(QWidget *holder, QWidget *content)
{
    auto *layout = new QGridLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

int valueNumber(const QString &value)
{
    return value.toInt(); // not a number reads as 0
}
} // namespace

Gearbay::Gearbay(QWidget *parent)
    : FramelessWidget(parent)
    , ui(new Ui::GearbayWidget)
{
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/Gearbay/Image/Gearbai/logo.ico")));
    resize(1024, 768);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    setMouseTracking(true);
    setAttribute(Qt::WA_QuitOnClose, true);

    // Pages are born in their holders: reparenting a built page restyles all of its widgets again.
    m_pTitleWidget = new WindowTitleWidget(ui->titleWidget);
    m_pTitleWidget->setCursor(Qt::ArrowCursor);
    m_pToolDownloadWidget = new ToolDownloadWidget(ui->toolsDownloadPage);
    m_pToolBoxWidget = new ToolBoxWidget(ui->myToolsPage);
    m_pUpdateVersionDialog = new UpdateVersionDialog(this);
    m_pUpdateVersionDialog->hide();
    putIntoHolder(ui->titleWidget, m_pTitleWidget);
    putIntoHolder(ui->toolsDownloadPage, m_pToolDownloadWidget);
    putIntoHolder(ui->myToolsPage, m_pToolBoxWidget);
    ui->mainStackedWidget->setCurrentIndex(0);

    m_pServerProcess = new ServerProcess(this);
    connect(m_pServerProcess, &QProcess::errorOccurred, this, &Gearbay::onSolveServerProcessError);
    connect(m_pServerProcess, &QProcess::started, this, &Gearbay::onServerStarted);
    connect(m_pServerProcess, &QProcess::stateChanged, this, &Gearbay::onServerStateChaned);

    m_pCoverWidget = new vellum::CoverWidget(this);
    m_pCoverWidget->setObjectName(QStringLiteral("CoverWidget"));
    m_pCoverWidget->hide();
    m_pCoverWidget->lower();

    // Detail pages are built when first opened or first named by an answer or a report: a large
    // catalog would otherwise cost a page per tool before the window appears.
    connect(this, &Gearbay::signalServerResponded, this, &Gearbay::relayAnswerToDetailPages);
    connect(m_pToolBoxWidget, &ToolBoxWidget::signalSubToolsStateChanged, this,
            [this](ToolCurrentState enumState, int key) { relayStateToDetailPage(enumState, key); });
    connect(m_pToolDownloadWidget, &ToolDownloadWidget::signalToMainPage, this,
            [this](ToolCurrentState enumState, int key) { relayStateToDetailPage(enumState, key); });

    startServer();

    m_pRequestManager = new ClientRequestManager(this);
    m_pRequestManager->setMaxThreadCount(10);

    connect(this, &Gearbay::signalWaitingToolsStartDownload, m_pToolDownloadWidget,
            &ToolDownloadWidget::signalWaitingToolsStartDownload);
    connect(this, &Gearbay::signalWaitingToolsStartDownload, m_pToolBoxWidget,
            &ToolBoxWidget::signalWaitingToolsStartDownload);
    connect(m_pToolBoxWidget, &ToolBoxWidget::signalCover, this, &Gearbay::setBlackCover);
    connect(m_pToolBoxWidget, &ToolBoxWidget::signalAllToolUpgraded, m_pTitleWidget,
            &WindowTitleWidget::onAllToolsUpgraded);
    connect(m_pToolBoxWidget, &ToolBoxWidget::signalSubToolsRequest, this, &Gearbay::onBuildClientRequest);
    connect(m_pToolBoxWidget, &ToolBoxWidget::signalSubToolsStateChanged, m_pToolDownloadWidget,
            &ToolDownloadWidget::signalSubToolsStateChanged);
    connect(m_pToolDownloadWidget, &ToolDownloadWidget::signalShowMoreInfoWidget, this, &Gearbay::showMoreInfoPage);
    connect(m_pToolDownloadWidget, &ToolDownloadWidget::signalCover, this, &Gearbay::setBlackCover);
    connect(m_pToolDownloadWidget, &ToolDownloadWidget::signalDownload, this, &Gearbay::onBuildClientRequest);
    connect(m_pToolDownloadWidget, &ToolDownloadWidget::signalToMainPage, m_pToolBoxWidget,
            &ToolBoxWidget::onSubToolsStateChanged);

    WindowTitleWidget *title = m_pTitleWidget;
    connect(title, &WindowTitleWidget::signalShowToolsDownloadWidget, this,
            [this] { ui->mainStackedWidget->setCurrentIndex(0); });
    connect(title, &WindowTitleWidget::signalShowToolBoxWidget, this, [this] {
        ui->mainStackedWidget->setCurrentIndex(1);
        m_pToolBoxWidget->onShowToolBoxWidget();
    });
    connect(title, &WindowTitleWidget::signalCloseApp, this, &Gearbay::onClose);
    connect(title, &WindowTitleWidget::signalShowSmall, this, &Gearbay::showMinimized);
    connect(title, &WindowTitleWidget::signalShowMax, this, &Gearbay::switchMaximized);
    connect(title, &WindowTitleWidget::signalStartUpdateManagerTool, this, &Gearbay::onStartUpdateRigWarden);
    connect(title, &WindowTitleWidget::signalSetUpdateProgress, this, &Gearbay::onSetRigWardenProgress);
    connect(title, &WindowTitleWidget::signalUpdateFailed, this, &Gearbay::onUpdateFailed);
    connect(title, &WindowTitleWidget::signalCover, this, &Gearbay::setBlackCover);
    connect(title, &WindowTitleWidget::signalTransCover, this, &Gearbay::setTransCover);
    connect(title, &WindowTitleWidget::signalHaveNewMaterial, this, &Gearbay::onHaveNewMaterial);
    connect(title, &WindowTitleWidget::signalLanguageChanged, this, &Gearbay::onLanguageChanged);
    connect(title, &WindowTitleWidget::signalToServer, this, &Gearbay::onBuildClientRequest);
    connect(this, &Gearbay::signalGetHelp, title, &WindowTitleWidget::signalGetHelp);
    connect(this, &Gearbay::signalReUpdate, title, &WindowTitleWidget::signalReUpdate);
    connect(this, &Gearbay::signalStartCheckUpdate, title, &WindowTitleWidget::signalStartCheckUpdate);
    connect(this, &Gearbay::signalDownloadingCount, title, &WindowTitleWidget::signalDownloadingCount);
    connect(this, &Gearbay::signalServerResponded, title, &WindowTitleWidget::signalServerResponded);
    connect(this, &Gearbay::signalServerResponded, m_pToolDownloadWidget,
            &ToolDownloadWidget::signalServerResponded);
    connect(this, &Gearbay::signalServerResponded, m_pToolBoxWidget, &ToolBoxWidget::signalServerResponded);
    connect(m_pUpdateVersionDialog, &UpdateVersionDialog::signalUpdateCompleted, this, &Gearbay::onUpdateCompleted);
    connect(m_pUpdateVersionDialog, &UpdateVersionDialog::signalUpdateCompleted, title,
            &WindowTitleWidget::signalUpdateCompleted);
    connect(m_pUpdateVersionDialog, &UpdateVersionDialog::signalUpdateCancel, this, [this] { setBlackCover(false); });
    connect(m_pUpdateVersionDialog, &UpdateVersionDialog::signalUpdateCancel, title,
            &WindowTitleWidget::signalUpdateCancel);
    connect(m_pRequestManager, &ClientRequestManager::signalRequestResult, this, &Gearbay::onSolveRequestResult);

    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &Gearbay::signalGetHelp);
    // Search from any page: the market comes to the front with its search field focused.
    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        ui->mainStackedWidget->setCurrentIndex(0);
        m_pToolDownloadWidget->focusSearch();
    });

    onBuildClientRequest(6, {0});
}

Gearbay::~Gearbay()
{
    // The server process dies with us, after this part of the window is gone: none of its last
    // reports (state change, "crashed") may reach a window that is half destroyed.
    disconnect(m_pServerProcess, nullptr, this, nullptr);
    delete ui;
}

// --- download server ---------------------------------------------------------------------------

void Gearbay::startServer()
{
    CorvaInit();
    m_serverClock.start();
    int port = kFirstServerPort;
    if (!findValidPort(port)) {
        TipDialog::showTip(kNoticeIcon, tr("Connect to server fail"), tr("OK"), tr("Cancel"), false, this);
        return;
    }
    launchServer(port);
}

void Gearbay::launchServer(int iPort)
{
    m_iPort = iPort;
    m_bServerRan = false;
    m_iConnectRetries = 0;
    // The server's log lines join the program's own error stream.
    m_pServerProcess->setProcessChannelMode(QProcess::ForwardedChannels);
    m_pServerProcess->start(QCoreApplication::applicationDirPath() + QStringLiteral("/Ferrodock"),
                            {QString::number(m_iPort)}, QIODevice::ReadWrite);
}

void Gearbay::restartServer()
{
    if (m_bServerStopped || m_pServerProcess->state() != QProcess::NotRunning)
        return;
    // Requests carry the port, so a server on a new port is reached from the next request on.
    int port = m_iPort;
    if (!findValidPort(port) || port != m_iPort) {
        port = kFirstServerPort;
        if (!findValidPort(port)) {
            qWarning() << "kv7 no free port to start the server again";
            return;
        }
    }
    qDebug() << "kv7 starting the server again on port" << port;
    launchServer(port);
}

bool Gearbay::takeRestart()
{
    const qint64 iNow = m_serverClock.elapsed();
    while (!m_listRestartTimes.isEmpty() && iNow - m_listRestartTimes.first() > kRestartWindowMs)
        m_listRestartTimes.removeFirst();
    if (m_listRestartTimes.size() >= kMaxRestarts)
        return false;
    m_listRestartTimes.append(iNow);
    return true;
}

void Gearbay::failPendingDownloads()
{
    if (m_pRequestManager != nullptr)
        m_pRequestManager->clear();
    // The version question is left in flight: its own failed exchange still answers it.
    const QString strVersionUrl = ConfigureStore::instance()->serverAddress();
    QMap<int, QString> failed;
    for (auto it = m_mapUrlToKey.begin(); it != m_mapUrlToKey.end();) {
        if (it.key() == strVersionUrl && it.value() == 0) {
            ++it;
            continue;
        }
        failed.insert(it.value(), kServerLostValue);
        it = m_mapUrlToKey.erase(it);
    }
    for (int key : qAsConst(m_listWaitingTools))
        failed.insert(key, kServerLostValue);
    m_listWaitingTools.clear();
    emit signalDownloadingCount(m_mapUrlToKey.size());
    // As a failed progress answer: cards, detail panels and rows all end in their failed view
    // with retry, whether they were polling or waiting.
    if (!failed.isEmpty())
        emit signalServerResponded(4, failed);
}

void Gearbay::stopServer()
{
    m_bServerStopped = true;
    disconnect(m_pServerProcess, &QProcess::stateChanged, this, &Gearbay::onServerStateChaned);
    CorvaFini();
    m_pServerProcess->kill();
}

void Gearbay::onServerStarted()
{
    m_bServerRan = true;
}

void Gearbay::onServerStateChaned(QProcess::ProcessState newState)
{
    if (newState != QProcess::NotRunning)
        return;
    // A server that never ran (missing or not executable) would only fail the same way again.
    const bool bRan = m_bServerRan && !m_bServerStopped;
    m_bServerRan = false;
    const bool bRestart = bRan && takeRestart();
    if (bRan && !bRestart)
        qWarning() << "kv7 the server keeps dying; it is not started again";
    failPendingDownloads();
    TipDialog::showTip(kNoticeIcon, tr("connect to server fail"), tr("OK"), tr("Cancel"), false, nullptr);
    // Queued: the process object is still inside its own report of the death.
    if (bRestart)
        QTimer::singleShot(0, this, &Gearbay::restartServer);
}

void Gearbay::onSolveServerProcessError(QProcess::ProcessError error)
{
    switch (error) {
    case QProcess::FailedToStart:
        TipDialog::showTip(kNoticeIcon, tr("start server fail"), tr("OK"), tr("Cancel"), false, nullptr);
        qDebug() << "kv7 FailedToStart";
        break;
    case QProcess::Crashed:
        qDebug() << "kv7 Crashed";
        break;
    case QProcess::Timedout:
        qDebug() << "kv7 Timedout";
        break;
    case QProcess::ReadError:
        qDebug() << "kv7 ReadError";
        break;
    case QProcess::WriteError:
        qDebug() << "kv7 WriteError";
        break;
    case QProcess::UnknownError:
        qDebug() << "kv7 UnknownError";
        break;
    }
}

// --- requests and answers ----------------------------------------------------------------------

void Gearbay::onBuildClientRequest(int method, QVector<int> keys)
{
    if (method >= 1 && method <= 3) {
        const int iPassing = qMax(0, kMaxInFlight - m_mapUrlToKey.size());
        for (int i = iPassing; i < keys.size(); ++i) {
            const int key = keys.at(i);
            if (m_listWaitingTools.contains(key))
                continue;
            m_listWaitingTools.append(key);
            emit signalServerResponded(method, {{key, kWaitingValue}});
        }
    } else if (method == 4) {
        for (int key : keys) {
            if (m_listWaitingTools.contains(key))
                emit signalServerResponded(4, {{key, kWaitingValue}});
        }
    } else if (method == 5) {
        for (int key : keys)
            m_listWaitingTools.removeOne(key);
    }

    QStringList urls;
    for (int key : keys) {
        if (m_listWaitingTools.contains(key))
            continue;
        const QString url = method == 6 ? ConfigureStore::instance()->serverAddress()
                                        : QString::fromStdString(ToolCatalog::instance()->downloadUrl(key));
        if (url.isEmpty())
            continue;
        m_mapUrlToKey.insert(url, key);
        urls.append(url);
    }
    if (urls.isEmpty())
        return;
    RequestParam param;
    param.method = method;
    param.port = m_iPort;
    param.urls = urls;
    m_pRequestManager->sendRequest(param);
}

void Gearbay::parseResponse(const QString &response, const QMap<QString, int> &urlToKey, int &method,
                            QMap<int, QString> &toolkeyToServerValue)
{
    method = 0;
    toolkeyToServerValue.clear();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(response.toLatin1(), &error);
    if (error.error != QJsonParseError::NoError || document.isNull() || !document.isObject()) {
        qWarning().noquote() << "kv7 server answer is not a JSON object, ignored:" << response.left(200);
        return;
    }
    const QJsonObject root = document.object();
    if (root.value(QLatin1String("method")).isDouble())
        method = root.value(QLatin1String("method")).toInt();
    const QJsonValue list = root.value(QLatin1String("urlsToValue"));
    if (!list.isArray())
        return;

    QString url;
    QString value;
    for (const QJsonValue &element : list.toArray()) {
        if (element.isObject()) {
            const QJsonObject object = element.toObject();
            if (object.contains(QLatin1String("url")))
                url = object.value(QLatin1String("url")).toVariant().toString();
            if (object.value(QLatin1String("value")).isString())
                value = object.value(QLatin1String("value")).toString();
        }
        const auto found = urlToKey.constFind(url);
        if (found == urlToKey.constEnd()) {
            qWarning().noquote() << "kv7 server answered for a URL not asked for, ignored:" << url;
            continue;
        }
        toolkeyToServerValue.insert(found.value(), value);
    }
}

void Gearbay::updateInFlight(int method, const QMap<int, QString> &toolkeyToServerValue)
{
    QList<int> leaving;
    for (auto it = toolkeyToServerValue.constBegin(); it != toolkeyToServerValue.constEnd(); ++it) {
        const int value = valueNumber(it.value());
        bool bLeaves = false;
        switch (method) {
        case 1:
        case 2:
        case 3:
            bLeaves = value != 0;
            break;
        case 4:
            bLeaves = value < 0 || value > 100;
            break;
        case 5:
            bLeaves = value == 0;
            break;
        default:
            break;
        }
        if (bLeaves)
            leaving.append(it.key());
    }
    if (method == 6)
        leaving.append(0);

    for (int key : leaving) {
        for (auto it = m_mapUrlToKey.begin(); it != m_mapUrlToKey.end(); ++it) {
            if (it.value() == key) {
                m_mapUrlToKey.erase(it);
                break;
            }
        }
    }
}

bool Gearbay::retryWhileServerStarts(int error, const QString &response)
{
    if (error != kCouldNotConnect || m_iConnectRetries >= kConnectRetries ||
        m_pServerProcess->state() == QProcess::NotRunning)
        return false;
    // A failed exchange answers with the request's own method and URLs.
    int method = 0;
    QVector<protocol::UrlValue> urlsToValue;
    QString strError;
    if (!protocol::parseResponse(response.toLatin1(), &method, &urlsToValue, &strError) || method == 0
        || urlsToValue.isEmpty())
        return false;
    QStringList urls;
    for (const protocol::UrlValue &urlValue : qAsConst(urlsToValue))
        urls.append(urlValue.first);
    ++m_iConnectRetries;
    QTimer::singleShot(kConnectRetryMs, this, [this, method, urls] {
        // Sent afresh on the current port; what a lost server held is no longer in flight.
        RequestParam param;
        param.method = method;
        param.port = m_iPort;
        for (const QString &url : urls) {
            if (m_mapUrlToKey.contains(url))
                param.urls.append(url);
        }
        if (!param.urls.isEmpty())
            m_pRequestManager->sendRequest(param);
    });
    return true;
}

void Gearbay::onSolveRequestResult(int error, QString response)
{
    if (retryWhileServerStarts(error, response))
        return;
    if (error != 0)
        m_pRequestManager->clear();

    int method = 0;
    QMap<int, QString> values;
    parseResponse(response, m_mapUrlToKey, method, values);
    updateInFlight(method, values);
    if (error != 0) {
        // No answer of the server will ever come for a failed exchange: its tools give up their
        // places, whatever the method (a failed cancel's 110 would otherwise hold one for ever).
        for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
            const QString strUrl = m_mapUrlToKey.key(it.key());
            if (!strUrl.isEmpty())
                m_mapUrlToKey.remove(strUrl);
        }
    }
    emit signalDownloadingCount(m_mapUrlToKey.size());
    emit signalServerResponded(method, values);

    if (error != 0)
        qDebug() << "kv7 request result:" << response << "error code:" << error;
    // After a failure too: a waiting tool either starts or fails on its own, it never waits for good.
    if (m_mapUrlToKey.size() < kMaxInFlight && !m_listWaitingTools.isEmpty()) {
        const int key = m_listWaitingTools.takeFirst();
        onBuildClientRequest(3, {key});
        emit signalWaitingToolsStartDownload(key);
    }
}

// --- pages, covers, close and restart ----------------------------------------------------------

ToolMoreInfoWidget *Gearbay::detailPage(int key)
{
    if (QWidget *container = m_mapMoreInfoPages.value(key, nullptr))
        return container->findChild<ToolMoreInfoWidget *>(QString(), Qt::FindDirectChildrenOnly);
    ToolCatalog *catalog = ToolCatalog::instance();
    const auto info = catalog->findInfo(key);
    if (key == 0 || key == 1 || info == catalog->toolInfos().end() || info->ToolKey == 0 || info->ToolKey == 1)
        return nullptr;
    auto *container = new QWidget(ui->mainStackedWidget);
    auto *page = new ToolMoreInfoWidget(info.value(), container);
    page->setToolKey(info->ToolKey);
    putIntoHolder(container, page);
    ui->mainStackedWidget->addWidget(container);
    m_mapMoreInfoPages.insert(key, container);

    connect(page, &ToolMoreInfoWidget::signalGoBackToToolDownWidget, this,
            [this] { ui->mainStackedWidget->setCurrentIndex(0); });
    connect(page, &ToolMoreInfoWidget::signalDownload, this, &Gearbay::onBuildClientRequest);
    connect(page, &ToolMoreInfoWidget::signalCover, this, &Gearbay::onSetCover);
    connect(this, &Gearbay::signalClose, page, &ToolMoreInfoWidget::signalClose);
    connect(page, &ToolMoreInfoWidget::signalToMainPage, m_pToolDownloadWidget,
            &ToolDownloadWidget::signalSubToolsStateChanged);
    connect(page, &ToolMoreInfoWidget::signalToMainPage, m_pToolBoxWidget, &ToolBoxWidget::onSubToolsStateChanged);
    return page;
}

void Gearbay::relayAnswerToDetailPages(int method, const QMap<int, QString> &toolkeyToServerValue)
{
    for (auto it = toolkeyToServerValue.constBegin(); it != toolkeyToServerValue.constEnd(); ++it) {
        if (ToolMoreInfoWidget *page = detailPage(it.key()))
            emit page->signalServerResponded(method, toolkeyToServerValue);
    }
}

void Gearbay::relayStateToDetailPage(int enumState, int key)
{
    if (ToolMoreInfoWidget *page = detailPage(key))
        emit page->signalToMoreInfoPage(static_cast<ToolCurrentState>(enumState), key);
}

void Gearbay::showMoreInfoPage(int key)
{
    ToolMoreInfoWidget *page = detailPage(key);
    if (page != nullptr)
        ui->mainStackedWidget->setCurrentWidget(m_mapMoreInfoPages.value(key));
}

void Gearbay::switchMaximized()
{
    if (isMaximized()) {
        showNormal();
        m_pTitleWidget->setMaxIcon();
    } else {
        showMaximized();
        m_pTitleWidget->setRestoreIcon();
    }
}

void Gearbay::saveToolOrder()
{
    const QMap<int, int> order = m_pToolBoxWidget->toolOrderMap();
    for (auto it = order.constBegin(); it != order.constEnd(); ++it)
        ToolCatalog::instance()->setListOrder(it.key(), it.value());
}

void Gearbay::saveSession()
{
    saveToolOrder();
    if (!ToolCatalog::instance()->saveToolStates())
        qWarning() << "kv7 cannot write the tool states at the end of the session";
}

void Gearbay::endSession()
{
    saveSession();
    if (!m_bServerStopped)
        stopServer();
}

void Gearbay::setBlackCover(bool bCover)
{
    if (!bCover) {
        m_pCoverWidget->hide();
        m_pCoverWidget->lower();
        return;
    }
    m_pCoverWidget->setBlackCover();
    m_pCoverWidget->show();
    m_pCoverWidget->move(0, 0);
    m_pCoverWidget->raise();
}

void Gearbay::setTransCover(bool bCover)
{
    if (!bCover) {
        m_pCoverWidget->hide();
        m_pCoverWidget->lower();
        return;
    }
    m_pCoverWidget->setTransactionCover();
    m_pCoverWidget->show();
    m_pCoverWidget->move(0, 0);
    m_pCoverWidget->raise();
}

void Gearbay::onSetCover(bool bCover)
{
    setBlackCover(bCover);
}

void Gearbay::onClose()
{
    saveSession();
    setBlackCover(true);
    const int answer = TipDialog::showTip(kSureIcon, tr("Are you sure close the software?"), tr("OK"), tr("Cancel"),
                                          true, this);
    if (answer != 1) {
        setBlackCover(false);
        return;
    }
    stopServer();
    close();
}

void Gearbay::onStartUpdateRigWarden()
{
    setBlackCover(true);
    m_pUpdateVersionDialog->setProgress(0);
    m_pUpdateVersionDialog->show();
    m_pUpdateVersionDialog->move(x() + 350, y() + 290);
}

void Gearbay::onSetRigWardenProgress(int iValue)
{
    m_pUpdateVersionDialog->setProgress(iValue);
}

void Gearbay::onUpdateCompleted()
{
    m_pUpdateVersionDialog->hide();
    saveToolOrder();
    ConfigureStore::instance()->setIsNeedUpdate(1);
    ToolCatalog *catalog = ToolCatalog::instance();
    const auto state = catalog->findState(1);
    if (state != catalog->toolStates().end())
        state->IsNeedUpdate = 0;
    catalog->saveToolStates();
    askToRestart(tr("Upgrade completed, restart software?"));
}

void Gearbay::onLanguageChanged()
{
    // The translation and the catalog's language are read once at start.
    saveSession();
    askToRestart(tr("The new language shows after a restart. Restart now?"));
}

void Gearbay::askToRestart(const QString &strQuestion)
{
    setBlackCover(true);
    if (TipDialog::showTip(kSureIcon, strQuestion, tr("Restart Now"), tr("Restart Later"), true, this) != 1) {
        setBlackCover(false);
        return;
    }
    restartProgram();
}

void Gearbay::restartProgram()
{
    stopServer();
    // The new copy must become the first copy: stop answering the single-instance probe now.
    // (The application's local server, found by class name: the window does not link the network module.)
    for (QObject *child : QCoreApplication::instance()->children()) {
        if (child->inherits("QLocalServer"))
            delete child;
    }
    QProcess::startDetached(QCoreApplication::applicationFilePath(), QCoreApplication::arguments(),
                            QDir::currentPath());
    close();
}

void Gearbay::onUpdateFailed(int iCode)
{
    m_pUpdateVersionDialog->hide();
    setBlackCover(true);
    const QString strText = iCode == protocol::kCodeUnverified
                                ? tr("The download could not be verified and was not installed.")
                                : tr("Upgrade fail, try again?");
    const int answer = TipDialog::showTip(kSureIcon, strText, tr("Again"), tr("Next"), true, this);
    if (answer == 1)
        emit signalReUpdate();
    else
        setBlackCover(false);
}

void Gearbay::onHaveNewMaterial()
{
    setBlackCover(true);
    TipDialog::showTip(kNoticeIcon, tr("material have new version, please restart software."), tr("OK"),
                       tr("Cancel"), false, nullptr);
    setBlackCover(false);
}

// --- frame: dragging and resizing ---------------------------------------------------------------

void Gearbay::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->pos();
        QWindow *window = windowHandle();
        if (ui->titleWidget->geometry().contains(point)) {
            // Let the window system move the window where it can (Wayland needs it); else by hand.
            if (window == nullptr || !window->startSystemMove()) {
                m_lastPos = event->globalPos();
                m_bDragging = true;
            }
        } else {
            const FrameHit hit = frameHitTest(point.x(), point.y(), width(), height(), childAt(point) != nullptr);
            const Qt::Edges edges = frameHitEdges(hit);
            if (window != nullptr && edges)
                window->startSystemResize(edges);
            else if (window != nullptr && hit == FrameHit::Caption)
                window->startSystemMove();
        }
    }
    event->ignore();
}

void Gearbay::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_bDragging = false;
    event->ignore();
}

void Gearbay::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bDragging) {
        m_currentPos = event->globalPos();
        move(pos() + m_currentPos - m_lastPos);
        m_lastPos = m_currentPos;
    } else if (event->buttons() == Qt::NoButton) {
        const QPoint point = event->pos();
        const Qt::Edges edges =
            frameHitEdges(frameHitTest(point.x(), point.y(), width(), height(), childAt(point) != nullptr));
        if (edges == Qt::TopEdge || edges == Qt::BottomEdge)
            setCursor(Qt::SizeVerCursor);
        else
            unsetCursor(); // the width is fixed: only the height can be dragged
    }
    event->ignore();
}

void Gearbay::resizeEvent(QResizeEvent *event)
{
    FramelessWidget::resizeEvent(event);
    if (m_pCoverWidget != nullptr)
        m_pCoverWidget->resize(size());
}

} // namespace gearbay
