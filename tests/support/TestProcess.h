#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTcpServer>
#include <functional>

// The tests' child processes and the loopback ports their servers take: every wait bounded,
// nothing left running.

// A loopback port free at the moment of asking (0 when none): a server may still lose it to another
// before it binds, so callers try a few.
inline int freeLoopbackPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

// Ends a child: asked first (SIGTERM) when bGently, killed when it has not gone within iGraceMs.
inline void endProcess(QProcess &process, bool bGently = true, int iGraceMs = 5000)
{
    if (process.state() == QProcess::NotRunning)
        return;
    if (bGently) {
        process.terminate();
        if (process.waitForFinished(iGraceMs))
            return;
    }
    process.kill();
    process.waitForFinished(5000);
}

// Runs a program to its end within iTimeoutMs (killed after): true when it exited with 0. Its
// output and errors, merged, go to pOutput.
inline bool runProgram(const QString &strProgram, const QStringList &args, QByteArray *pOutput = nullptr,
    const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(), int iTimeoutMs = 60000)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(strProgram, args);
    const bool bEnded = process.waitForFinished(iTimeoutMs);
    if (pOutput != nullptr)
        *pOutput = process.readAll();
    endProcess(process, false);
    return bEnded && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Polls ready() for at most iMs while the child runs: true once it holds.
inline bool waitUntilReady(QProcess &process, int iMs, const std::function<bool()> &ready)
{
    const QDeadlineTimer deadline(iMs);
    process.waitForStarted(iMs);
    while (!deadline.hasExpired() && process.state() == QProcess::Running) {
        if (ready())
            return true;
        process.waitForFinished(100);
    }
    return false;
}

// A self-signed certificate for 127.0.0.1 (its own CA) as strDir/cert.pem with strDir/key.pem: empty
// when made, else openssl's complaint.
inline QString makeLoopbackCertificate(const QString &strDir)
{
    QByteArray output;
    QStringList args = QStringLiteral("req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes "
                                      "-days 2 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1")
                           .split(QLatin1Char(' '));
    args << QStringLiteral("-keyout") << QDir(strDir).filePath(QStringLiteral("key.pem"))
         << QStringLiteral("-out") << QDir(strDir).filePath(QStringLiteral("cert.pem"));
    return runProgram(QStringLiteral("openssl"), args, &output)
        ? QString()
        : QStringLiteral("openssl req failed: ") + QString::fromLocal8Bit(output);
}
