#include "ServerProcess.h"

#include <QCoreApplication>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace gearbay {

ServerProcess::ServerProcess(QObject *parent)
    : QProcess(parent)
    , m_iParentPid(QCoreApplication::applicationPid())
{
}

void ServerProcess::setupChildProcess()
{
    // Runs in the child between fork and exec: only async-signal-safe calls here.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // The parent may have died before the request took effect.
    if (static_cast<qint64>(::getppid()) != m_iParentPid)
        ::_exit(1);
}

} // namespace gearbay
