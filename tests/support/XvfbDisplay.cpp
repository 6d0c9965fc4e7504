#include "XvfbDisplay.h"

#include "TestProcess.h"

#include <QCoreApplication>
#include <QFile>

namespace {
// Display numbers well away from a desktop's :0 and from xvfb-run's :99.
constexpr int kFirstDisplay = 140;
constexpr int kLastDisplay = 400;

bool displayTaken(int n)
{
    return QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) ||
           QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n));
}
} // namespace

bool XvfbDisplay::start(int iTimeoutMs)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    // Another test may pick the same number at the same moment; Xvfb then exits and we move on.
    for (int n = kFirstDisplay + (QCoreApplication::applicationPid() % 50); n <= kLastDisplay; ++n) {
        if (displayTaken(n))
            continue;
        m_strDisplay = QStringLiteral(":%1").arg(n);
        // -noreset: a program started just as the previous one left would otherwise meet the server
        // in its reset and fail to connect.
        m_process.start(QStringLiteral("Xvfb"),
                        QStringList{m_strDisplay} + QStringLiteral("-nolisten tcp -noreset -screen 0 1280x1024x24").split(' '));
        if (!m_process.waitForStarted(5000))
            return false;
        const QString strSocket = QStringLiteral("/tmp/.X11-unix/X%1").arg(n);
        if (waitUntilReady(m_process, iTimeoutMs, [&strSocket] { return QFile::exists(strSocket); }))
            return true;
        if (m_process.state() == QProcess::Running) {
            endProcess(m_process, false);
            return false;
        }
    }
    return false;
}

QProcessEnvironment XvfbDisplay::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_strDisplay);
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return env;
}

bool XvfbDisplay::screenshot(const QString &strPath) const
{
    return runProgram(QStringLiteral("import"),
               {QStringLiteral("-display"), m_strDisplay, QStringLiteral("-window"), QStringLiteral("root"), strPath},
               nullptr, environment(), 30000)
        && QFile::exists(strPath);
}
