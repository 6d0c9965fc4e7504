#include "ToolLaunch.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace gearbay {

namespace {

int openPidFd(pid_t pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    Q_UNUSED(pid);
    errno = ENOSYS;
    return -1;
#endif
}

int sendSignal(int iPidFd, int iSignal)
{
#ifdef SYS_pidfd_send_signal
    return static_cast<int>(::syscall(SYS_pidfd_send_signal, iPidFd, iSignal, nullptr, 0));
#else
    Q_UNUSED(iPidFd);
    Q_UNUSED(iSignal);
    errno = ENOSYS;
    return -1;
#endif
}

// Field 22 of /proc/<pid>/stat: when the process started, in clock ticks after boot.
// 0 when the process does not exist (or is a zombie).
quint64 processStartTime(qint64 iPid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(iPid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray stat = file.readAll();
    const int iParen = stat.lastIndexOf(')');
    if (iParen < 0)
        return 0;
    const QList<QByteArray> fields = stat.mid(iParen + 2).split(' ');
    // fields[0] is field 3 (state), so field 22 is fields[19].
    if (fields.size() < 20 || fields.at(0) == "Z")
        return 0;
    return fields.at(19).toULongLong();
}

ssize_t readFully(int fd, void *buffer, size_t size)
{
    ssize_t n;
    do {
        n = ::read(fd, buffer, size);
    } while (n < 0 && errno == EINTR);
    return n;
}

void closeFd(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

ToolLaunch::ToolLaunch() = default;

ToolLaunch::~ToolLaunch()
{
    release();
}

void ToolLaunch::release()
{
    closeFd(m_iPidFd);
    m_iPid = -1;
    m_iStartTime = 0;
}

bool ToolLaunch::start(const QString &strExePath, const QStringList &arguments)
{
    release();
    m_strFile = strExePath;

    const QFileInfo info(strExePath);
    if (!info.isFile() || !info.isExecutable()) {
        qWarning().noquote() << "ToolLaunch: not an executable file:" << strExePath;
        return false;
    }
    // Everything the child needs is prepared before fork: between fork and exec only
    // async-signal-safe calls are allowed in a threaded program.
    const QByteArray path = QFile::encodeName(info.absoluteFilePath());
    const QByteArray dir = QFile::encodeName(info.absolutePath());
    std::vector<QByteArray> args;
    args.push_back(path);
    for (const QString &strArg : arguments)
        args.push_back(strArg.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    // pidPipe: the middle child reports the tool's pid. goPipe: holds the tool back until the
    // pidfd is open, so the pid cannot be recycled in between. errPipe: exec's errno, closed
    // by a successful exec.
    // The tool gets no console of ours: a test runner or terminal would otherwise wait on
    // output pipes held open by a tool that lives on for hours.
    int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    int pidPipe[2] = {-1, -1};
    int goPipe[2] = {-1, -1};
    int errPipe[2] = {-1, -1};
    if (::pipe2(pidPipe, O_CLOEXEC) != 0 || ::pipe2(goPipe, O_CLOEXEC) != 0
        || ::pipe2(errPipe, O_CLOEXEC) != 0) {
        for (int *p : {pidPipe, goPipe, errPipe}) {
            closeFd(p[0]);
            closeFd(p[1]);
        }
        closeFd(devNull);
        return false;
    }

    const pid_t middle = ::fork();
    if (middle == 0) {
        ::close(pidPipe[0]);
        ::close(goPipe[1]);
        ::close(errPipe[0]);
        ::setsid();
        const pid_t tool = ::fork();
        if (tool == 0) {
            ::close(pidPipe[1]);
            char go;
            readFully(goPipe[0], &go, 1);
            if (devNull >= 0) {
                ::dup2(devNull, STDIN_FILENO);
                ::dup2(devNull, STDOUT_FILENO);
                ::dup2(devNull, STDERR_FILENO);
            }
#ifdef SYS_close_range
            // Nothing else of ours (sockets, lock files) leaks into the tool; errPipe closes on exec.
            ::syscall(SYS_close_range, 3u, ~0u, 4u /* CLOSE_RANGE_CLOEXEC */);
#endif
            sigset_t all;
            sigemptyset(&all);
            ::sigprocmask(SIG_SETMASK, &all, nullptr);
            ::signal(SIGPIPE, SIG_DFL);
            int iError = 0;
            if (::chdir(dir.constData()) == 0)
                ::execv(path.constData(), argv.data());
            iError = errno;
            ssize_t n = ::write(errPipe[1], &iError, sizeof iError);
            (void)n;
            ::_exit(127);
        }
        ssize_t n = ::write(pidPipe[1], &tool, sizeof tool);
        (void)n;
        ::_exit(0);
    }
    closeFd(pidPipe[1]);
    closeFd(goPipe[0]);
    closeFd(errPipe[1]);

    bool bStarted = false;
    if (middle > 0) {
        int iStatus = 0;
        while (::waitpid(middle, &iStatus, 0) < 0 && errno == EINTR) {
        }
        pid_t tool = -1;
        if (readFully(pidPipe[0], &tool, sizeof tool) == static_cast<ssize_t>(sizeof tool) && tool > 0) {
            m_iPid = tool;
            m_iPidFd = openPidFd(tool);
            if (m_iPidFd < 0)
                m_iStartTime = processStartTime(tool);
            const char go = 'g';
            ssize_t w = ::write(goPipe[1], &go, 1);
            (void)w;
            closeFd(goPipe[1]);
            int iError = 0;
            const ssize_t n = readFully(errPipe[0], &iError, sizeof iError);
            if (n == 0) {
                bStarted = true;
            } else {
                qWarning().noquote() << "ToolLaunch: cannot start" << strExePath << ":"
                                     << qt_error_string(iError);
            }
        }
    }
    closeFd(pidPipe[0]);
    closeFd(goPipe[1]);
    closeFd(errPipe[0]);
    closeFd(devNull);
    if (!bStarted)
        release();
    return bStarted;
}

bool ToolLaunch::isRunning() const
{
    if (m_iPidFd >= 0) {
        // A pidfd becomes readable when its process ends.
        struct pollfd pfd = {m_iPidFd, POLLIN, 0};
        return ::poll(&pfd, 1, 0) == 0;
    }
    return m_iPid > 0 && m_iStartTime != 0 && processStartTime(m_iPid) == m_iStartTime;
}

bool ToolLaunch::terminate(bool bForce)
{
    const int iSignal = bForce ? SIGKILL : SIGTERM;
    if (m_iPidFd >= 0)
        return sendSignal(m_iPidFd, iSignal) == 0;
    if (!isRunning())
        return false;
    return ::kill(static_cast<pid_t>(m_iPid), iSignal) == 0;
}

} // namespace gearbay
