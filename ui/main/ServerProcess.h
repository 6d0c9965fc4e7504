#pragma once

#include <QProcess>

namespace gearbay {

// The download server's process. The server must not outlive the program, even when the program is
// killed and runs no clean-up: the kernel ends the child when its parent dies.
class ServerProcess : public QProcess
{
    Q_OBJECT

public:
    explicit ServerProcess(QObject *parent = nullptr);

protected:
    void setupChildProcess() override;

private:
    qint64 m_iParentPid;
};

} // namespace gearbay
