#include "DirectoryAuthenticator.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <chrono>
#include <condition_variable>
#include <ldap.h>
#include <mutex>
#include <sys/socket.h>
#include <sys/time.h>
#include <thread>

namespace gearbay {

namespace {

timeval toTimeval(qint64 iMs)
{
    iMs = qMax<qint64>(iMs, 1);
    timeval tv;
    tv.tv_sec = static_cast<time_t>(iMs / 1000);
    tv.tv_usec = static_cast<suseconds_t>((iMs % 1000) * 1000);
    return tv;
}

// Each blocking step gets only what is left of the overall budget.
bool setRemainingTimeout(LDAP *pLdap, const QDeadlineTimer &deadline)
{
    const qint64 iLeft = deadline.remainingTime();
    if (iLeft == 0)
        return false;
    const timeval tv = toTimeval(iLeft);
    return ldap_set_option(pLdap, LDAP_OPT_NETWORK_TIMEOUT, &tv) == LDAP_OPT_SUCCESS
        && ldap_set_option(pLdap, LDAP_OPT_TIMEOUT, &tv) == LDAP_OPT_SUCCESS;
}

QString diagnostic(LDAP *pLdap, int iCode)
{
    QString strText = QString::fromUtf8(ldap_err2string(iCode));
    char *pMessage = nullptr;
    if (ldap_get_option(pLdap, LDAP_OPT_DIAGNOSTIC_MESSAGE, &pMessage) == LDAP_OPT_SUCCESS && pMessage) {
        if (*pMessage)
            strText += QStringLiteral(" (%1)").arg(QString::fromUtf8(pMessage));
        ldap_memfree(pMessage);
    }
    return strText;
}

bool isUnreachable(int iCode)
{
    return iCode == LDAP_SERVER_DOWN || iCode == LDAP_TIMEOUT || iCode == LDAP_TIMELIMIT_EXCEEDED
        || iCode == LDAP_BUSY || iCode == LDAP_UNAVAILABLE;
}

// libldap's own timeouts do not cover every stall: a TLS handshake with a peer that never answers
// spins without end. The watchdog shuts the socket down at the deadline, which ends any wait.
class BindWatchdog
{
public:
    explicit BindWatchdog(const QDeadlineTimer &deadline)
        : m_thread([this, deadline]() { run(deadline); })
    {
        m_callbacks.lc_add = &BindWatchdog::onConnected;
        m_callbacks.lc_del = &BindWatchdog::onClosing;
        m_callbacks.lc_arg = this;
    }

    ~BindWatchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bDone = true;
        }
        m_condition.notify_all();
        m_thread.join();
    }

    ldap_conncb *callbacks() { return &m_callbacks; }

    bool hasCut()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_bCut;
    }

private:
    void run(const QDeadlineTimer &deadline)
    {
        // A little after libldap's own timeouts, so that they report first when they work.
        const auto until
            = std::chrono::steady_clock::now() + std::chrono::milliseconds(deadline.remainingTime() + 500);
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_condition.wait_until(lock, until, [this]() { return m_bDone; }))
            return;
        if (m_iSocket >= 0) {
            ::shutdown(m_iSocket, SHUT_RDWR);
            m_bCut = true;
        }
    }

    static int onConnected(LDAP *, Sockbuf *pSockbuf, LDAPURLDesc *, sockaddr *, ldap_conncb *pContext)
    {
        auto *pSelf = static_cast<BindWatchdog *>(pContext->lc_arg);
        ber_socket_t iSocket = -1;
        ber_sockbuf_ctrl(pSockbuf, LBER_SB_OPT_GET_FD, &iSocket);
        std::lock_guard<std::mutex> lock(pSelf->m_mutex);
        pSelf->m_iSocket = iSocket;
        return 0;
    }

    static void onClosing(LDAP *, Sockbuf *, ldap_conncb *pContext)
    {
        auto *pSelf = static_cast<BindWatchdog *>(pContext->lc_arg);
        std::lock_guard<std::mutex> lock(pSelf->m_mutex);
        pSelf->m_iSocket = -1;
    }

    std::mutex m_mutex;
    std::condition_variable m_condition;
    int m_iSocket = -1;
    bool m_bDone = false;
    bool m_bCut = false;
    ldap_conncb m_callbacks;
    std::thread m_thread;
};

struct LdapHandle
{
    LDAP *p = nullptr;
    ~LdapHandle()
    {
        if (p)
            ldap_unbind_ext_s(p, nullptr, nullptr);
    }
};

// libldap reads its global defaults and sets up TLS on first use without a lock; do that once,
// before two binds can race through it.
void initialiseLibraryOnce()
{
    static std::once_flag once;
    std::call_once(once, []() {
        LdapHandle ldap;
        if (ldap_initialize(&ldap.p, "ldap://127.0.0.1") == LDAP_SUCCESS && ldap.p) {
            const int iNewContext = 0;
            ldap_set_option(ldap.p, LDAP_OPT_X_TLS_NEWCTX, &iNewContext);
        }
    });
}

} // namespace

DirectoryAuthenticator::DirectoryAuthenticator(
    const QString &strServer, const QString &strUserDnTemplate, const QString &strCaFile, int iTimeoutMs)
    : m_strServer(strServer.trimmed())
    , m_strUserDnTemplate(strUserDnTemplate.trimmed())
    , m_strCaFile(strCaFile.trimmed())
    , m_iTimeoutMs(iTimeoutMs > 0 ? iTimeoutMs : kDefaultTimeoutMs)
{
}

bool DirectoryAuthenticator::isConfigured() const
{
    const bool bScheme = m_strServer.startsWith(QLatin1String("ldap://"), Qt::CaseInsensitive)
        || m_strServer.startsWith(QLatin1String("ldaps://"), Qt::CaseInsensitive);
    return bScheme && m_strUserDnTemplate.contains(QLatin1String("%1"));
}

QString DirectoryAuthenticator::userDn(const QString &strUser) const
{
    if (!m_strUserDnTemplate.contains(QLatin1String("%1")))
        return QString();
    // Not QString::arg: the escaped name may itself hold "%1"-like text that arg would expand.
    QString strDn = m_strUserDnTemplate;
    return strDn.replace(QLatin1String("%1"), escapeDnValue(strUser));
}

QString DirectoryAuthenticator::escapeDnValue(const QString &strValue)
{
    QString strOut;
    strOut.reserve(strValue.size() * 2);
    for (int i = 0; i < strValue.size(); ++i) {
        const QChar c = strValue.at(i);
        const bool bEdge = (i == 0 && (c == QLatin1Char(' ') || c == QLatin1Char('#')))
            || (i == strValue.size() - 1 && c == QLatin1Char(' '));
        if (c == QChar(0)) {
            strOut += QLatin1String("\\00");
        } else if (bEdge || QStringLiteral(",+\"\\<>;=").contains(c)) {
            strOut += QLatin1Char('\\');
            strOut += c;
        } else {
            strOut += c;
        }
    }
    return strOut;
}

DirectoryAuthenticator::Result DirectoryAuthenticator::bind(
    const QString &strUser, const QString &strPassword) const
{
    // An empty password would be an unauthenticated bind, which many servers answer with success.
    if (strUser.trimmed().isEmpty() || strPassword.isEmpty())
        return EmptyCredentials;
    if (!isConfigured())
        return NotConfigured;

    initialiseLibraryOnce();
    const QDeadlineTimer deadline(m_iTimeoutMs);
    BindWatchdog watchdog(deadline); // outlives the handle, which calls back into it until freed
    LdapHandle ldap;
    int iCode = ldap_initialize(&ldap.p, m_strServer.toUtf8().constData());
    if (iCode != LDAP_SUCCESS || !ldap.p) {
        qWarning() << "kv7 directory: bad server address" << m_strServer << ldap_err2string(iCode);
        return NotConfigured;
    }
    if (ldap_set_option(ldap.p, LDAP_OPT_CONNECT_CB, watchdog.callbacks()) != LDAP_OPT_SUCCESS)
        return OtherError;
    const Result emResult = exchange(ldap.p, deadline, strUser, strPassword);
    return watchdog.hasCut() ? ServerUnavailable : emResult;
}

DirectoryAuthenticator::Result DirectoryAuthenticator::exchange(
    LDAP *pLdap, const QDeadlineTimer &deadline, const QString &strUser, const QString &strPassword) const
{
    const int iVersion = LDAP_VERSION3;
    const int iRequireCert = LDAP_OPT_X_TLS_DEMAND;
    const int iNewContext = 0;
    const QByteArray caFile = m_strCaFile.toLocal8Bit();
    bool bOptions = ldap_set_option(pLdap, LDAP_OPT_PROTOCOL_VERSION, &iVersion) == LDAP_OPT_SUCCESS
        && ldap_set_option(pLdap, LDAP_OPT_REFERRALS, LDAP_OPT_OFF) == LDAP_OPT_SUCCESS
        && ldap_set_option(pLdap, LDAP_OPT_X_TLS_REQUIRE_CERT, &iRequireCert) == LDAP_OPT_SUCCESS;
    if (bOptions && !caFile.isEmpty())
        bOptions = ldap_set_option(pLdap, LDAP_OPT_X_TLS_CACERTFILE, caFile.constData()) == LDAP_OPT_SUCCESS;
    // The TLS options above take effect only in a context made for this handle.
    if (bOptions)
        bOptions = ldap_set_option(pLdap, LDAP_OPT_X_TLS_NEWCTX, &iNewContext) == LDAP_OPT_SUCCESS;
    if (!bOptions) {
        qWarning() << "kv7 directory: TLS set-up failed for" << m_strServer << diagnostic(pLdap, LDAP_OTHER);
        return SecureChannelFailed;
    }

    int iCode = LDAP_SUCCESS;
    if (!m_strServer.startsWith(QLatin1String("ldaps://"), Qt::CaseInsensitive)) {
        if (!setRemainingTimeout(pLdap, deadline))
            return ServerUnavailable;
        iCode = ldap_start_tls_s(pLdap, nullptr, nullptr);
        if (iCode != LDAP_SUCCESS) {
            qWarning() << "kv7 directory: StartTLS with" << m_strServer
                       << "failed:" << diagnostic(pLdap, iCode);
            return isUnreachable(iCode) ? ServerUnavailable : SecureChannelFailed;
        }
    }

    if (!setRemainingTimeout(pLdap, deadline))
        return ServerUnavailable;
    const QByteArray dn = userDn(strUser).toUtf8();
    QByteArray password = strPassword.toUtf8();
    berval credentials;
    credentials.bv_val = password.data();
    credentials.bv_len = static_cast<ber_len_t>(password.size());
    iCode
        = ldap_sasl_bind_s(pLdap, dn.constData(), LDAP_SASL_SIMPLE, &credentials, nullptr, nullptr, nullptr);
    password.fill('\0');

    switch (iCode) {
    case LDAP_SUCCESS:
        return Accepted;
    case LDAP_INVALID_CREDENTIALS:
    case LDAP_INVALID_DN_SYNTAX:
    case LDAP_NO_SUCH_OBJECT:
    case LDAP_INAPPROPRIATE_AUTH:
    case LDAP_UNWILLING_TO_PERFORM:
        return Refused;
    case LDAP_CONNECT_ERROR:
        qWarning() << "kv7 directory: TLS with" << m_strServer << "failed:" << diagnostic(pLdap, iCode);
        return SecureChannelFailed;
    default:
        qWarning() << "kv7 directory: bind at" << m_strServer << "failed:" << diagnostic(pLdap, iCode);
        return isUnreachable(iCode) ? ServerUnavailable : OtherError;
    }
}

} // namespace gearbay
