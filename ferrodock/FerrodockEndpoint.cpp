#include "FerrodockEndpoint.h"

#include "FetchPlanner.h"
#include "JobTable.h"
#include "ServerProtocol.h"

#include <QDebug>
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
    // The path says what is asked. A method the path does not carry (or none of the six) still gets
    // the response document, every URL refused, so the program can tell each of its URLs what happened.
    if (iMethod != iPathMethod || iMethod < 1 || iMethod > kOtherMethod) {
        qWarning().noquote() << "---orlenk--- method" << iMethod << "is not served on" << QString::fromStdString(request.path);
        QVector<protocol::UrlValue> values;
        for (const QString &strUrl : urls)
            values.append({strUrl, QString::number(DownloadJob::kNotFound)});
        response.set_content(protocol::responseBody(iMethod, values).toStdString(), "application/json");
        return;
    }

    // Progress polls and cancels concern known jobs only; the files are read for everything else.
    FetchPlanner planner(m_strProgramDir);
    const bool bConfigured = iMethod == 4 || iMethod == 5 || planner.load(&strError);
    if (!bConfigured)
        qWarning().noquote() << "---orlenk---" << strError;
    QVector<protocol::UrlValue> values;
    values.reserve(urls.size());
    for (const QString &strUrl : urls)
        values.append({strUrl, answer(iMethod, strUrl, &planner, bConfigured)});
    response.set_content(protocol::responseBody(iMethod, values).toStdString(), "application/json");
}

QString FerrodockEndpoint::answer(int iMethod, const QString &strUrl, FetchPlanner *pPlanner, bool bConfigured)
{
    auto code = [](int iCode) { return QString::number(iCode); };
    switch (iMethod) {
    case 4:
        return code(m_pJobs->progress(strUrl));
    case 5:
        return code(m_pJobs->cancel(strUrl));
    case kOtherMethod:
        return bConfigured ? pPlanner->materialVersion(strUrl) : QString();
    default:
        break;
    }
    if (!bConfigured)
        return code(m_pJobs->refuse(strUrl, DownloadJob::kCannotSave, QStringLiteral("Setup.xml unusable")));
    const FetchPlanner::Decision decision = pPlanner->plan(iMethod, strUrl);
    if (decision.iRefusal != 0)
        return code(m_pJobs->refuse(strUrl, decision.iRefusal, decision.strDetail));
    return code(m_pJobs->start(decision.plan));
}

} // namespace gearbay
