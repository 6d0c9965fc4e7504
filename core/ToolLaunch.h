#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace gearbay {

// A launched tool: starts an executable detached, in its own folder, and can end it later.
// The process is held by a pidfd where the kernel offers one, so a recycled pid is never
// signalled; elsewhere the pid is checked against the process start time before signalling.
// Destroying the record leaves the tool running.
class ToolLaunch
{
public:
    ToolLaunch();
    ~ToolLaunch();
    ToolLaunch(const ToolLaunch &) = delete;
    ToolLaunch &operator=(const ToolLaunch &) = delete;

    // Starts strExePath with the given arguments, working directory = the executable's folder.
    // Replaces the record of an earlier launch (without ending that process). False when the
    // file cannot be executed.
    bool start(const QString &strExePath, const QStringList &arguments = QStringList());
    // Whether the most recently launched process is still running.
    bool isRunning() const;
    // Ends the most recently launched process (SIGTERM, or SIGKILL when bForce); false when
    // there is none or it has already ended.
    bool terminate(bool bForce = false);

    QString file() const { return m_strFile; }
    qint64 pid() const { return m_iPid; }

private:
    void release();

    QString m_strFile;
    qint64 m_iPid = -1;
    int m_iPidFd = -1;
    quint64 m_iStartTime = 0;
};

} // namespace gearbay
