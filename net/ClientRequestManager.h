#pragma once

#include "RequestParam.h"

#include <QObject>
#include <QString>

class QThreadPool;

namespace gearbay {

// Dispatches requests to the download server on a thread pool sharing one Corvanet handle and
// reports every answer, or failure, on the manager's own thread. CorvaInit must have been called.
class ClientRequestManager : public QObject
{
    Q_OBJECT

public:
    explicit ClientRequestManager(QObject *parent = nullptr);
    // Waits for running requests; queued ones then fail at once (the handle is gone) unheard.
    ~ClientRequestManager() override;

    void setMaxThreadCount(int iCount);
    // Drops queued requests that have not started; they report nothing.
    void clear();
    void sendRequest(RequestParam param);

signals:
    // One per request, on this object's thread. error is 0 when the server answered, else
    // Corvanet's error (or -1 for a request without URLs) with a document of code 110, 130 or 140.
    // response holds the document's bytes one per character: toLatin1() gives the UTF-8 JSON back.
    void signalRequestResult(int error, QString response);

private:
    QThreadPool *m_pPool = nullptr;
    int m_iHttpHandle = -1;
    int m_iHandleError = 0;
};

} // namespace gearbay
