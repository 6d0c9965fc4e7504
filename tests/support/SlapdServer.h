#pragma once

#include "TestProcess.h"

#include <QList>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A throw-away OpenLDAP server on 127.0.0.1 for tests: its own temporary folder, a self-signed
// certificate (also its CA file), an mdb database under "dc=example,dc=org" with "ou=people", and
// the statistics log kept in a file so that tests can see what the server received.
// Every wait is bounded; the destructor stops the server.
class SlapdServer
{
public:
    struct Options
    {
        bool bLdaps = false; // also listen for ldaps:// on a second port
    };

    SlapdServer() : SlapdServer(Options()) {}
    explicit SlapdServer(const Options &options) : m_options(options) {}
    ~SlapdServer() { stop(); }
    SlapdServer(const SlapdServer &) = delete;
    SlapdServer &operator=(const SlapdServer &) = delete;

    // Empty when slapd, ldapadd and openssl are installed, else what is missing.
    static QString missingTools();

    // Makes the certificate and configuration, starts slapd and adds the base entries.
    bool start();
    // Stops the server; the data and the log stay until destruction.
    void stop() { endProcess(m_process, true, 10000); }
    bool isRunning() const { return m_process.state() == QProcess::Running; }

    // Adds "uid=<uid>,ou=people,<suffix>" with this password; uid must need no DN escaping.
    bool addUser(const QString &strUid, const QString &strPassword);
    // Adds one person (its cn and sn made up); the DN is taken as written, values may hold any characters.
    bool addEntry(const QString &strDn, const QList<QPair<QString, QString>> &attributes);

    QString url() const { return QStringLiteral("ldap://127.0.0.1:%1").arg(m_iPort); }
    // When Options::bLdaps.
    QString ldapsUrl() const { return QStringLiteral("ldaps://127.0.0.1:%1").arg(m_iLdapsPort); }
    // The server's certificate, to be trusted as CA.
    QString caFile() const { return m_tempDir.filePath(QStringLiteral("cert.pem")); }
    QString suffix() const { return QStringLiteral("dc=example,dc=org"); }
    QString userDnTemplate() const { return QStringLiteral("uid=%1,ou=people,") + suffix(); }

    // The statistics log written so far ("conn=… op=… BIND dn=…", "STARTTLS", …).
    QString log() const;
    int countInLog(const QString &strNeedle) const { return log().count(strNeedle); }
    QString lastError() const { return m_strError; }

private:
    bool launch();
    bool runLdapAdd(const QByteArray &ldif);
    bool fail(const QString &strError);

    Options m_options;
    QTemporaryDir m_tempDir;
    QProcess m_process;
    int m_iPort = 0;
    int m_iLdapsPort = 0;
    QString m_strError;
};
