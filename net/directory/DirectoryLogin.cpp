#include "DirectoryLogin.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace gearbay {

namespace {
// Its own pool: a bind must not queue behind downloads that fill the shared one, nor behind an
// abandoned bind still waiting for a hung server. At exit it waits for running binds (bounded).
struct LoginPool : QThreadPool
{
    LoginPool() { setMaxThreadCount(4); }
};
Q_GLOBAL_STATIC(LoginPool, loginPool)
} // namespace

DirectoryLogin::DirectoryLogin(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<DirectoryAuthenticator::Result>("gearbay::DirectoryAuthenticator::Result");
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &DirectoryLogin::onBindFinished);
}

bool DirectoryLogin::start(
    const DirectoryAuthenticator &authenticator, const QString &strUser, const QString &strPassword)
{
    if (m_bRunning)
        return false;
    m_bRunning = true;
    // The task holds copies only: it may outlive this object.
    m_watcher.setFuture(QtConcurrent::run(loginPool(),
        [authenticator, strUser, strPassword]() { return authenticator.bind(strUser, strPassword); }));
    return true;
}

void DirectoryLogin::onBindFinished()
{
    m_bRunning = false;
    emit signalFinished(m_watcher.result());
}

} // namespace gearbay
