#pragma once

#include "TestProcess.h"

#include <QDir>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real HTTPS catalog server for tests: nginx on a free loopback port serving a folder, with a
// certificate for 127.0.0.1 made by openssl (also its CA file), and the cache headers a catalog
// deployment uses. Everything nginx writes stays in a temporary folder; stopped by the destructor.
class NginxServer
{
public:
    explicit NginxServer(const QString &strRoot)
        : m_strRoot(QDir(strRoot).absolutePath())
    {
    }
    ~NginxServer() { stop(); }

    // Empty when nginx and openssl are installed, else what is missing.
    static QString missingTools();
    bool start();
    void stop() { endProcess(m_process); }

    QString baseUrl() const { return QStringLiteral("https://127.0.0.1:%1").arg(m_iPort); }
    QString caFile() const { return m_tempDir.filePath(QStringLiteral("cert.pem")); }
    QString lastError() const { return m_strError; }

private:
    bool launch();

    QString m_strRoot;
    QTemporaryDir m_tempDir;
    QProcess m_process;
    int m_iPort = 0;
    QString m_strError;
};
