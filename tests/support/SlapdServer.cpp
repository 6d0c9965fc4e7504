#include "SlapdServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const char *const kSlapd = "/usr/sbin/slapd";
const char *const kRootDn = "cn=admin,dc=example,dc=org";
const char *const kRootPassword = "rootsecret";

// %1 the server's folder, %2 the suffix, %3 the root DN, %4 its password.
const char kConfig[] = R"(include /etc/ldap/schema/core.schema
include /etc/ldap/schema/cosine.schema
include /etc/ldap/schema/inetorgperson.schema
modulepath /usr/lib/ldap
moduleload back_mdb
pidfile %1/slapd.pid
argsfile %1/slapd.args
TLSCertificateFile %1/cert.pem
TLSCertificateKeyFile %1/key.pem
database mdb
maxsize 10485760
suffix "%2"
rootdn "%3"
rootpw %4
directory %1/db
security tls=1
)";

QByteArray ldifLine(const QString &strName, const QString &strValue)
{
    // Base64 for every value: leading blanks, '#', ':' and '<' then need no special care.
    return strName.toUtf8() + ":: " + strValue.toUtf8().toBase64() + '\n';
}

} // namespace

QString SlapdServer::missingTools()
{
    QStringList missing;
    for (const char *pTool : { kSlapd, "/usr/lib/ldap/back_mdb.so", "ldapadd", "openssl", "timeout" }) {
        const QString strTool = QString::fromLatin1(pTool);
        if (strTool.startsWith(QLatin1Char('/')) ? !QFileInfo::exists(strTool)
                                                 : QStandardPaths::findExecutable(strTool).isEmpty())
            missing << strTool;
    }
    return missing.join(QStringLiteral(", "));
}

bool SlapdServer::fail(const QString &strError)
{
    m_strError = strError;
    qWarning("SlapdServer: %s", qPrintable(strError));
    return false;
}

bool SlapdServer::start()
{
    const QString strMissing = missingTools();
    if (!strMissing.isEmpty())
        return fail(QStringLiteral("not installed: ") + strMissing);
    const QString strDir = m_tempDir.path();
    const QString strCertificateError = makeLoopbackCertificate(strDir);
    if (!strCertificateError.isEmpty())
        return fail(strCertificateError);
    const QString strConfig = QString::fromLatin1(kConfig).arg(
        strDir, suffix(), QString::fromLatin1(kRootDn), QString::fromLatin1(kRootPassword));
    QFile config(m_tempDir.filePath(QStringLiteral("slapd.conf")));
    if (!QDir(strDir).mkpath(QStringLiteral("db")) || !config.open(QIODevice::WriteOnly)
        || config.write(strConfig.toUtf8()) < 0)
        return fail(QStringLiteral("cannot write slapd.conf"));
    config.close();
    // A port found free may be taken before slapd binds it: try a few.
    bool bStarted = false;
    for (int iTry = 0; iTry < 3 && !bStarted; ++iTry) {
        m_iPort = freeLoopbackPort();
        m_iLdapsPort = m_options.bLdaps ? freeLoopbackPort() : 0;
        bStarted = launch();
    }
    if (!bStarted)
        return false;

    return runLdapAdd("dn: dc=example,dc=org\nobjectClass: dcObject\nobjectClass: organization\no: Example\n"
                      "dc: example\n\ndn: ou=people,dc=example,dc=org\nobjectClass: organizationalUnit\n"
                      "ou: people\n");
}

bool SlapdServer::launch()
{
    QString strListeners = QStringLiteral("ldap://127.0.0.1:%1/").arg(m_iPort);
    if (m_iLdapsPort)
        strListeners += QStringLiteral(" ldaps://127.0.0.1:%1/").arg(m_iLdapsPort);
    // In the foreground with the statistics level, so that the log shows each operation.
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(m_tempDir.filePath(QStringLiteral("slapd.log")), QIODevice::Append);
    // Under timeout(1): a test killed before its destructor runs leaves no server behind for long.
    // timeout passes its SIGTERM on, so stop() ends slapd through it.
    m_process.start(QStringLiteral("timeout"),
        { QStringLiteral("--kill-after=10"), QStringLiteral("900"), QString::fromLatin1(kSlapd), QStringLiteral("-f"),
            m_tempDir.filePath(QStringLiteral("slapd.conf")), QStringLiteral("-h"), strListeners,
            QStringLiteral("-d"), QStringLiteral("stats") });
    const auto started = [this] { return log().count(QLatin1String("slapd starting")); };
    const int iStartedBefore = started();
    if (waitUntilReady(m_process, 20000, [&] { return started() > iStartedBefore; }))
        return true;
    const bool bExited = m_process.state() == QProcess::NotRunning;
    endProcess(m_process, false);
    return fail((bExited ? QStringLiteral("slapd exited: ") : QStringLiteral("slapd not ready within 20 s: "))
        + log().right(2000));
}

bool SlapdServer::runLdapAdd(const QByteArray &ldif)
{
    if (!isRunning())
        return fail(QStringLiteral("ldapadd: server not running"));
    const QString strFile = m_tempDir.filePath(QStringLiteral("add.ldif"));
    QFile file(strFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(ldif) != ldif.size())
        return fail(QStringLiteral("cannot write add.ldif"));
    file.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LDAPTLS_CACERT"), caFile());
    env.insert(QStringLiteral("LDAPTLS_REQCERT"), QStringLiteral("demand"));
    QByteArray output;
    if (!runProgram(QStringLiteral("ldapadd"),
            { QStringLiteral("-x"), QStringLiteral("-ZZ"), QStringLiteral("-H"), url(), QStringLiteral("-D"),
                QString::fromLatin1(kRootDn), QStringLiteral("-w"), QString::fromLatin1(kRootPassword),
                QStringLiteral("-o"), QStringLiteral("nettimeout=10"), QStringLiteral("-f"), strFile },
            &output, env, 30000))
        return fail(QStringLiteral("ldapadd failed: ") + QString::fromLocal8Bit(output));
    return true;
}

bool SlapdServer::addUser(const QString &strUid, const QString &strPassword)
{
    return addEntry(QStringLiteral("uid=%1,ou=people,%2").arg(strUid, suffix()),
        { { QStringLiteral("uid"), strUid }, { QStringLiteral("userPassword"), strPassword } });
}

bool SlapdServer::addEntry(const QString &strDn, const QList<QPair<QString, QString>> &attributes)
{
    // The object class needs a cn and an sn.
    QByteArray ldif = ldifLine(QStringLiteral("dn"), strDn);
    ldif += "objectClass: inetOrgPerson\ncn: test user\nsn: user\n";
    for (const auto &attribute : attributes)
        ldif += ldifLine(attribute.first, attribute.second);
    return runLdapAdd(ldif);
}

QString SlapdServer::log() const
{
    QFile file(m_tempDir.filePath(QStringLiteral("slapd.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
