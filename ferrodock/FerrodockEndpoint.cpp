#include "FerrodockEndpoint.h"

#include "JobTable.h"
#include "PackageFetcher.h"
#include "ProgramFolderConfig.h"
#include "ServerProtocol.h"

#include <QDebug>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <httplib.h>

namespace gearbay {

namespace {

constexpr int kOtherMethod = 6;

void sendError(httplib::Response &response, int iStatus, const QString &strMessage)
{
    qWarning().noquote() << "---orlenk--- bad request:" << strMessage;
    const QJsonObject root{{QStringLiteral("error"), strMessage}, {QStringLiteral("urlsToValue"), QJsonArray()}};
    response.status = iStatus;
    response.set_content(QJsonDocument(root).toJson(QJsonDocument::Compact).toStdString(), "application/json");
}

} // namespace

FerrodockEndpoint::FerrodockEndpoint(const QString &strProgramDir, JobTable *pJobs)
    : m_strProgramDir(strProgramDir)
    , m_pJobs(pJobs)
    , m_pServer(std::make_unique<httplib::Server>())
{
    m_pServer->set_payload_max_length(kMaxBodyBytes);
    m_pServer->set_read_timeout(10, 0);
    // Answers go out in two writes (headers, body); without this a kept-alive connection waits for the
    // client's delayed ACK (40 ms) on every progress poll.
    m_pServer->set_tcp_nodelay(true);
    m_pServer->Post(R"(/.*)", [this](const httplib::Request &request, httplib::Response &response) {
        handle(request, response);
    });
    // httplib answers unknown routes and oversized bodies itself; give those a readable body too.
    m_pServer->set_error_handler([](const httplib::Request &request, httplib::Response &response) {
        if (!response.body.empty())
            return;
        const int iStatus = response.status;
        const QString strMessage = iStatus == 413
                                       ? QStringLiteral("request body larger than %1 bytes").arg(kMaxBodyBytes)
                                       : QStringLiteral("%1 %2 is not served here")
                                             .arg(QString::fromStdString(request.method), QString::fromStdString(request.path));
        sendError(response, iStatus, strMessage);
    });
    m_pServer->set_exception_handler([](const httplib::Request &, httplib::Response &response, std::exception_ptr) {
        sendError(response, 500, QStringLiteral("internal failure"));
    });
}

FerrodockEndpoint::~FerrodockEndpoint()
{
    stop();
}

bool FerrodockEndpoint::listen(int iPort)
{
    if (!m_pServer->bind_to_port("127.0.0.1", iPort))
        return false;
    m_thread = std::thread([this] { m_pServer->listen_after_bind(); });
    return true;
}

void FerrodockEndpoint::stop()
{
    m_pServer->stop();
    if (m_thread.joinable())
        m_thread.join();
}

void FerrodockEndpoint::handle(const httplib::Request &request, httplib::Response &response)
{
    const int iPathMethod = protocol::methodForPath(QString::fromStdString(request.path));
    if (iPathMethod == 0) {
        sendError(response, 404, QStringLiteral("unknown path %1").arg(QString::fromStdString(request.path)));
        return;
    }
    int iMethod = 0;
    QStringList urls;
    QString strError;
    if (!protocol::parseRequest(QByteArray::fromStdString(request.body), &iMethod, &urls, &strError)) {
        sendError(response, 400, strError);
        return;
    }
    // The path says what is asked; a body naming another method is a confused client, not a request.
    if (iMethod != iPathMethod) {
        sendError(response, 400, QStringLiteral("method %1 is unknown on %2").arg(iMethod).arg(QString::fromStdString(request.path)));
        return;
    }

    // Progress polls and cancels concern known jobs only; the files are read for everything else.
    ProgramFolderConfig config(m_strProgramDir);
    const bool bConfigured = iMethod == 4 || iMethod == 5 || config.load(&strError);
    if (!bConfigured)
        qWarning().noquote() << "---orlenk---" << strError;
    QVector<protocol::UrlValue> values;
    values.reserve(urls.size());
    for (const QString &strUrl : urls)
        values.append({strUrl, answer(iMethod, strUrl, &config, bConfigured)});
    response.set_content(protocol::responseBody(iMethod, values).toStdString(), "application/json");
}

QString FerrodockEndpoint::answer(int iMethod, const QString &strUrl, ProgramFolderConfig *pConfig, bool bConfigured)
{
    auto code = [](int iCode) { return QString::number(iCode); };
    switch (iMethod) {
    case 4:
        return code(m_pJobs->progress(strUrl));
    case 5:
        return code(m_pJobs->cancel(strUrl));
    case kOtherMethod:
        return bConfigured && pConfig->isUnderServer(strUrl) ? readMaterialVersion(strUrl, pConfig->proxy()) : QString();
    default:
        break;
    }

    if (!bConfigured)
        return code(m_pJobs->refuse(strUrl, DownloadJob::kCannotSave));
    // Anything outside the catalog server is, from where we stand, a file that does not exist.
    if (!pConfig->isUnderServer(strUrl))
        return code(m_pJobs->refuse(strUrl, DownloadJob::kNotFound));
    if (iMethod == 1) {
        return code(m_pJobs->start(strUrl, DownloadJob::Kind::Material,
                                   m_strProgramDir + QStringLiteral("/ToolsFileTemp"), QString(), pConfig->proxy()));
    }
    if (iMethod == 2)
        return code(m_pJobs->start(strUrl, DownloadJob::Kind::Program, QDir::homePath() + QStringLiteral("/Rig Warden"),
                                   QString(), pConfig->proxy()));

    const QString strExeName = pConfig->exeNameForUrl(strUrl);
    if (strExeName.isEmpty())
        return code(m_pJobs->refuse(strUrl, DownloadJob::kNotFound));
    const QString strFolder = ProgramFolderConfig::toolFolderName(strExeName);
    if (strExeName.contains(QLatin1Char('/')) || strFolder == QLatin1String("..") || strFolder == QLatin1String(".")
        || pConfig->downloadPath().isEmpty())
        return code(m_pJobs->refuse(strUrl, DownloadJob::kCannotSave));
    return code(m_pJobs->start(strUrl, DownloadJob::Kind::Tool,
                               pConfig->downloadPath() + QStringLiteral("/SubTools/") + strFolder, strExeName,
                               pConfig->proxy()));
}

QString FerrodockEndpoint::readMaterialVersion(const QString &strServerAddress, const QString &strProxy)
{
    QString strBase = strServerAddress;
    while (strBase.endsWith(QLatin1Char('/')))
        strBase.chop(1);
    QByteArray body;
    PackageFetcher fetcher;
    fetcher.setProxy(strProxy);
    if (fetcher.fetchToMemory(strBase + QStringLiteral("/MaterialVersion.txt"), 4096, &body, 15)
        != PackageFetcher::Outcome::Ok) {
        qWarning().noquote() << "---orlenk--- material version:" << fetcher.lastDetail();
        return QString();
    }
    return QString::fromUtf8(body).trimmed();
}

} // namespace gearbay
