#include "ClientRequestManager.h"

#include "ClientRequestTask.h"
#include "Corvanet.h"

#include <QDebug>
#include <QThreadPool>

namespace gearbay {

ClientRequestManager::ClientRequestManager(QObject *parent)
    : QObject(parent)
{
    m_iHttpHandle = CorvaHttpCreate();
    m_iHandleError = CorvaLastError();
    qDebug() << "iHttpErrorCode" << m_iHandleError;
    m_pPool = new QThreadPool(this);
}

ClientRequestManager::~ClientRequestManager()
{
    CorvaHttpDestroy(m_iHttpHandle);
}

void ClientRequestManager::setMaxThreadCount(int iCount)
{
    m_pPool->setMaxThreadCount(iCount);
}

void ClientRequestManager::clear()
{
    m_pPool->clear();
}

void ClientRequestManager::sendRequest(RequestParam param)
{
    auto *task = new ClientRequestTask;
    task->setParam(param);
    task->setHttpHandle(m_iHttpHandle, m_iHandleError);
    // The task emits on a pool thread; the automatic connection queues it to this object's thread.
    connect(task, &ClientRequestTask::signalRequestResult, this, &ClientRequestManager::signalRequestResult);
    m_pPool->start(task, task->priority());
}

} // namespace gearbay
