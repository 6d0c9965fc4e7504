#pragma once

#include <QMetaType>
#include <QString>

class QDeadlineTimer;
typedef struct ldap LDAP;

namespace gearbay {

// Checks a user's directory account with an LDAP simple bind. Blocking: callers on the GUI thread
// go through DirectoryLogin, which runs it on a worker thread.
class DirectoryAuthenticator
{
public:
    enum Result {
        Accepted, // the server accepted the user name and password
        Refused, // wrong password, unknown user or a name the server rejects
        EmptyCredentials, // refused before any connection: an empty name or password
        NotConfigured, // no usable server address or user DN template
        ServerUnavailable, // the server cannot be reached or did not answer in time
        SecureChannelFailed, // StartTLS or the certificate check failed
        OtherError // any other LDAP failure
    };

    static constexpr int kDefaultTimeoutMs = 10000;

    // strServer: "ldap://host:port" (StartTLS is required) or "ldaps://host:port".
    // strUserDnTemplate: the bind DN with "%1" where the escaped user name goes.
    // strCaFile: a PEM CA bundle for the server's certificate; empty uses the system trust store.
    DirectoryAuthenticator(const QString &strServer, const QString &strUserDnTemplate,
        const QString &strCaFile = QString(), int iTimeoutMs = kDefaultTimeoutMs);

    bool isConfigured() const;
    QString server() const { return m_strServer; }
    int timeoutMs() const { return m_iTimeoutMs; }

    // The bind DN for a user name, or an empty string when the template has no "%1".
    QString userDn(const QString &strUser) const;

    // One bind attempt, bounded by the timeout as a whole. The password is sent only over TLS and
    // never when empty. Safe to call from several threads at once.
    Result bind(const QString &strUser, const QString &strPassword) const;

    // The user name as an RFC 4514 attribute value, so that it can never add or change DN parts.
    static QString escapeDnValue(const QString &strValue);

private:
    Result exchange(LDAP *pLdap, const QDeadlineTimer &deadline, const QString &strUser,
        const QString &strPassword) const;

    QString m_strServer;
    QString m_strUserDnTemplate;
    QString m_strCaFile;
    int m_iTimeoutMs;
};

} // namespace gearbay

Q_DECLARE_METATYPE(gearbay::DirectoryAuthenticator::Result)
