#include "TerminationSignals.h"

#include <QSocketNotifier>
#include <QtDebug>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace gearbay {

namespace {
// [0] written by the handler, [1] read by the notifier. One pair per process, like the handlers.
int g_aiSocket[2] = { -1, -1 };
constexpr int kSignals[] = { SIGTERM, SIGINT, SIGHUP };
} // namespace

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
}

TerminationSignals::~TerminationSignals()
{
    if (m_pNotifier == nullptr)
        return;
    for (int iSignal : kSignals)
        std::signal(iSignal, SIG_DFL);
    delete m_pNotifier;
    ::close(g_aiSocket[0]);
    ::close(g_aiSocket[1]);
    g_aiSocket[0] = g_aiSocket[1] = -1;
}

bool TerminationSignals::install()
{
    if (m_pNotifier != nullptr)
        return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_aiSocket) != 0) {
        qWarning() << "---orlenk--- no socket pair for termination signals:" << std::strerror(errno);
        return false;
    }
    // A handler must never block, even when signals pile up faster than they are read.
    ::fcntl(g_aiSocket[0], F_SETFL, ::fcntl(g_aiSocket[0], F_GETFL) | O_NONBLOCK);
    m_pNotifier = new QSocketNotifier(g_aiSocket[1], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &TerminationSignals::onSignalPending);

    struct sigaction action;
    std::memset(&action, 0, sizeof(action));
    action.sa_handler = &TerminationSignals::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int iSignal : kSignals) {
        if (::sigaction(iSignal, &action, nullptr) != 0) {
            qWarning() << "---orlenk--- cannot handle signal" << iSignal << std::strerror(errno);
            return false;
        }
    }
    return true;
}

void TerminationSignals::handle(int iSignal)
{
    const int iSavedErrno = errno;
    const char cSignal = static_cast<char>(iSignal);
    const ssize_t iWritten = ::write(g_aiSocket[0], &cSignal, 1);
    (void)iWritten;
    errno = iSavedErrno;
}

void TerminationSignals::onSignalPending()
{
    char cSignal = 0;
    if (::read(g_aiSocket[1], &cSignal, 1) != 1)
        return;
    qWarning() << "---orlenk--- ending on signal" << int(cSignal);
    emit signalTerminationRequested(int(cSignal));
}

} // namespace gearbay
