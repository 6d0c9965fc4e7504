#include "ClientRequestTask.h"

#include "Corvanet.h"
#include "RequestMethod.h"
#include "ServerProtocol.h"

#include <QByteArray>
#include <QDebug>
#include <QVector>

namespace gearbay {

namespace {
constexpr int kCodeExchangeFailed = 110;
constexpr int kCodeNoUrls = 130;
constexpr int kCodeNoClient = 140;
} // namespace

ClientRequestTask::ClientRequestTask(QObject *parent)
    : QObject(parent)
{
}

int ClientRequestTask::priorityForMethod(int iMethod)
{
    switch (iMethod) {
    case DownloadMaterial:
    case DownloadManageTool:
    case DownloadSubTool:
        return 1;
    case DownloadProgress:
    case CancelDownloadSubTool:
        return 0;
    default:
        return 2;
    }
}

void ClientRequestTask::setParam(const RequestParam &param)
{
    m_iMethod = param.method;
    m_iPort = param.port;
    m_urls = param.urls;
    m_iPriority = priorityForMethod(param.method);
}

QString ClientRequestTask::failureResponse(int iMethod, const QStringList &urls, int iCode)
{
    QVector<protocol::UrlValue> values;
    values.reserve(urls.size());
    const QString strCode = QString::number(iCode);
    for (const QString &url : urls)
        values.append({ url, strCode });
    return QString::fromLatin1(protocol::responseBody(iMethod, values));
}

void ClientRequestTask::run()
{
    const int iMethod = m_iMethod;
    const QStringList urls = m_urls;
    if (urls.isEmpty()) {
        emit signalRequestResult(-1, failureResponse(iMethod, urls, kCodeNoUrls));
        return;
    }

    const QByteArray body = protocol::requestBody(iMethod, urls);
    const QByteArray url
        = (QStringLiteral("http://127.0.0.1:%1").arg(m_iPort) + protocol::methodPath(iMethod)).toLatin1();
    if (m_iHttpHandle == -1) {
        const int iError = m_iHandleError != 0 ? m_iHandleError : CorvaLastError();
        emit signalRequestResult(iError, failureResponse(iMethod, urls, kCodeNoClient));
        return;
    }

    CorvaExchangeBlock block {};
    block.url = url.constData();
    block.urlLength = url.size();
    const bool bExchanged
        = CorvaHttpSetParam(m_iHttpHandle, CORVA_PARAM_BODY, 0, 0, body.constData(), body.size())
        && CorvaHttpExchange(m_iHttpHandle, &block);
    if (!bExchanged) {
        const int iError = CorvaLastError();
        emit signalRequestResult(iError, failureResponse(iMethod, urls, kCodeExchangeFailed));
        qDebug() << "errorCode:" << iError;
        return;
    }

    // The server's reply ends at its first NUL, whatever length was announced.
    const QByteArray reply(block.reply, block.replyLength);
    const int iNul = reply.indexOf('\0');
    emit signalRequestResult(0, QString::fromLatin1(iNul < 0 ? reply : reply.left(iNul)));
}

} // namespace gearbay
