#include "FerrodockLauncher.h"

#include "TestProcess.h"

#include <httplib.h>

namespace {
const int kTries = 5;
// Generous: a loaded machine may take seconds to start a process.
const int kAnswerMs = 30000;

bool answers(int iPort)
{
    httplib::Client client("127.0.0.1", iPort);
    client.set_connection_timeout(1);
    client.set_read_timeout(5);
    return bool(client.Get("/"));
}
} // namespace

int startFerrodock(QProcess &process, const QString &strExecutable, const QString &strHome,
    const QStringList &strEnvironment, const QStringList &strWrapper)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *pName : { "http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY",
             "no_proxy", "NO_PROXY" })
        env.remove(QString::fromLatin1(pName));
    env.insert(QStringLiteral("HOME"), strHome);
    for (const QString &strVariable : strEnvironment)
        env.insert(strVariable.section(QLatin1Char('='), 0, 0), strVariable.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);

    for (int iTry = 0; iTry < kTries; ++iTry) {
        const int iPort = freeLoopbackPort();
        QStringList args = strWrapper;
        args << strExecutable << QString::number(iPort);
        process.start(args.takeFirst(), args);
        if (iPort == 0 || !process.waitForStarted(kAnswerMs))
            return 0;
        // Somebody else may have taken the port meanwhile: the answer counts only while ours runs.
        const auto ours = [&] { return answers(iPort) && !process.waitForFinished(100); };
        if (waitUntilReady(process, kAnswerMs, ours))
            return iPort;
        endProcess(process, false);
    }
    return 0;
}

long postToFerrodock(int iPort, const QString &strPath, const QByteArray &body, QByteArray *pReply)
{
    httplib::Client client("127.0.0.1", iPort);
    client.set_read_timeout(30);
    const httplib::Result result = client.Post(strPath.toStdString(), body.toStdString(), "application/json");
    *pReply = result ? QByteArray::fromStdString(result->body) : QByteArray();
    return result ? result->status : 0;
}
