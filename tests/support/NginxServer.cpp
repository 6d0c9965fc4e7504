#include "NginxServer.h"

#include "TestProcess.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTcpSocket>
#include <unistd.h>

namespace {

QString findTool(const QString &strName)
{
    const QString strPath = QStandardPaths::findExecutable(strName);
    return strPath.isEmpty() ? QStandardPaths::findExecutable(strName, {QStringLiteral("/usr/sbin")}) : strPath;
}

// %1 the temporary folder, %2 the port, %3 the served folder. The cache headers are a deployment's.
const char kConfig[] = R"(daemon off;
worker_processes 1;
pid %1/nginx.pid;
error_log %1/error.log;
events { worker_connections 64; }
http {
    access_log off;
    client_body_temp_path %1/client;
    proxy_temp_path %1/proxy;
    fastcgi_temp_path %1/fastcgi;
    uwsgi_temp_path %1/uwsgi;
    scgi_temp_path %1/scgi;
    default_type application/octet-stream;
    server {
        listen 127.0.0.1:%2 ssl;
        ssl_certificate %1/cert.pem;
        ssl_certificate_key %1/key.pem;
        root %3;
        location ~ ^/(catalog\.index|catalog\.index\.minisig|MaterialVersion\.txt)$ { add_header Cache-Control "no-cache"; }
        location / { add_header Cache-Control "public, max-age=31536000, immutable"; }
    }
}
)";

} // namespace

QString NginxServer::missingTools()
{
    QStringList missing;
    for (const QString &strTool : {QStringLiteral("nginx"), QStringLiteral("openssl")}) {
        if (findTool(strTool).isEmpty())
            missing.append(strTool);
    }
    return missing.join(QLatin1Char(' '));
}

bool NginxServer::start()
{
    m_strError = makeLoopbackCertificate(m_tempDir.path());
    if (!m_strError.isEmpty())
        return false;
    // A port found free may be taken before nginx binds it: try a few.
    for (int iTry = 0; iTry < 3; ++iTry) {
        if (launch())
            return true;
    }
    return false;
}

bool NginxServer::launch()
{
    if ((m_iPort = freeLoopbackPort()) == 0)
        return false;
    const QString strDir = m_tempDir.path();
    // As root, nginx's workers would drop to "nobody", who cannot read the temporary folders.
    const QString strConfig = (::geteuid() == 0 ? QStringLiteral("user root root;\n") : QString())
                              + QString::fromLatin1(kConfig).arg(strDir).arg(m_iPort).arg(m_strRoot);
    QFile config(strDir + QStringLiteral("/nginx.conf"));
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate) || config.write(strConfig.toUtf8()) < 0)
        return false;
    config.close();
    const QString strLog = strDir + QStringLiteral("/error.log");
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(findTool(QStringLiteral("nginx")),
                    {QStringLiteral("-e"), strLog, QStringLiteral("-p"), strDir, QStringLiteral("-c"), config.fileName()});
    if (waitUntilReady(m_process, 10000, [this] {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, quint16(m_iPort));
            return socket.waitForConnected(200);
        }))
        return true;
    QFile log(strLog);
    log.open(QIODevice::ReadOnly);
    m_strError = QStringLiteral("nginx did not start: ") + QString::fromLocal8Bit(m_process.readAll() + log.readAll());
    stop();
    return false;
}
