#pragma once

#include "RequestParam.h"

#include <QObject>
#include <QRunnable>
#include <QString>
#include <QStringList>

namespace gearbay {

// One request to the download server, run once on a pool thread and deleted by the pool.
class ClientRequestTask : public QObject, public QRunnable
{
    Q_OBJECT

public:
    explicit ClientRequestTask(QObject *parent = nullptr);

    // Copies the request and derives the pool priority from its method.
    void setParam(const RequestParam &param);
    // iHandleError: why the handle could not be created, when iHandle is -1. Corvanet's last error
    // is per thread, so the pool thread could not learn it by itself.
    void setHttpHandle(int iHandle, int iHandleError = 0)
    {
        m_iHttpHandle = iHandle;
        m_iHandleError = iHandleError;
    }
    int priority() const { return m_iPriority; }

    // Higher starts first among queued tasks: the start-up request (6 and unknown codes) before
    // downloads (1..3), downloads before progress polls and cancels (4, 5).
    static int priorityForMethod(int iMethod);
    // The document reported when the exchange could not take place: every URL of the request,
    // in order, with the code as its value. Bytes as Latin-1 characters, like a real reply.
    static QString failureResponse(int iMethod, const QStringList &urls, int iCode);

    void run() override;

signals:
    // error is 0 when the server answered; response holds the answer's bytes one per character
    // (Latin-1): toLatin1() gives back the UTF-8 JSON document.
    void signalRequestResult(int error, QString response);

private:
    int m_iMethod = 0;
    int m_iPort = 20000;
    QStringList m_urls;
    int m_iHttpHandle = -1;
    int m_iPriority = 2;
    int m_iHandleError = 0;
};

} // namespace gearbay
