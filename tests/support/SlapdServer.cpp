#include "SlapdServer.h"

#include "TestProcess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <csignal>
#include <sys/types.h>

namespace {

const char *const kSlapd = "/usr/sbin/slapd";
const char *const kRootDn = "cn=admin,dc=example,dc=org";
const char *const kRootPassword = "rootsecret";

QByteArray ldifLine(const QString &strName, const QString &strValue)
{
    // Base64 for every value: leading blanks, '#', ':' and '<' then need no special care.
    return strName.toUtf8() + ":: " + strValue.toUtf8().toBase64() + '\n';
}

} // namespace

QString SlapdServer::missingTools()
{
    QStringList missing;
    if (!QFileInfo(QString::fromLatin1(kSlapd)).isExecutable())
        missing << QString::fromLatin1(kSlapd);
    for (const char *tool : { "ldapadd", "openssl", "timeout" })
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            missing << QString::fromLatin1(tool);
    if (!QFileInfo::exists(QStringLiteral("/usr/lib/ldap/back_mdb.so")))
        missing << QStringLiteral("/usr/lib/ldap/back_mdb.so");
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
    if (!m_tempDir.isValid())
        return fail(QStringLiteral("no temporary folder"));
    if (!makeCertificate())
        return false;
    // A port found free may be taken before slapd binds it: try a few.
    bool bStarted = false;
    for (int iTry = 0; iTry < 3 && !bStarted; ++iTry) {
        m_iPort = freeLoopbackPort();
        m_iLdapsPort = m_options.bLdaps ? freeLoopbackPort() : 0;
        bStarted = writeConfig() && launch();
    }
    if (!bStarted)
        return false;

    QByteArray base;
    base += ldifLine(QStringLiteral("dn"), suffix());
    base += "objectClass: dcObject\nobjectClass: organization\no: Example\ndc: example\n\n";
    base += ldifLine(QStringLiteral("dn"), QStringLiteral("ou=people,") + suffix());
    base += "objectClass: organizationalUnit\nou: people\n";
    return runLdapAdd(base);
}

bool SlapdServer::makeCertificate()
{
    QByteArray output;
    if (!runProgram(QStringLiteral("openssl"),
            QStringLiteral("req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 "
                           "-addext subjectAltName=IP:127.0.0.1 -keyout")
                    .split(QLatin1Char(' '))
                << m_tempDir.filePath(QStringLiteral("key.pem")) << QStringLiteral("-out") << caFile(),
            &output))
        return fail(QStringLiteral("openssl req failed: ") + QString::fromLocal8Bit(output));
    return true;
}

bool SlapdServer::writeConfig()
{
    const QString strDir = m_tempDir.path();
    QDir(strDir).mkpath(QStringLiteral("db"));
    QFile::remove(m_tempDir.filePath(QStringLiteral("slapd.pid")));
    QString strConf;
    for (const char *schema : { "core", "cosine", "inetorgperson" })
        strConf += QStringLiteral("include /etc/ldap/schema/%1.schema\n").arg(QString::fromLatin1(schema));
    strConf += QStringLiteral("modulepath /usr/lib/ldap\nmoduleload back_mdb\n");
    strConf += QStringLiteral("pidfile %1/slapd.pid\nargsfile %1/slapd.args\n").arg(strDir);
    strConf
        += QStringLiteral("TLSCertificateFile %1/cert.pem\nTLSCertificateKeyFile %1/key.pem\n").arg(strDir);
    strConf += QStringLiteral("database mdb\nmaxsize 10485760\n");
    strConf += QStringLiteral("suffix \"%1\"\nrootdn \"%2\"\nrootpw %3\ndirectory %4/db\n")
                   .arg(suffix(), QString::fromLatin1(kRootDn), QString::fromLatin1(kRootPassword), strDir);
    if (m_options.bRequireTls)
        strConf += QStringLiteral("security tls=1\n");
    QFile file(m_tempDir.filePath(QStringLiteral("slapd.conf")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(strConf.toUtf8()) < 0)
        return fail(QStringLiteral("cannot write slapd.conf"));
    return true;
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
    m_process.start(QStringLiteral("timeout"),
        { QStringLiteral("--kill-after=10"), QStringLiteral("900"), QString::fromLatin1(kSlapd), QStringLiteral("-f"),
            m_tempDir.filePath(QStringLiteral("slapd.conf")), QStringLiteral("-h"), strListeners,
            QStringLiteral("-d"), QStringLiteral("stats") });
    if (!m_process.waitForStarted(10000))
        return fail(QStringLiteral("slapd does not start: ") + m_process.errorString());

    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (m_process.waitForFinished(100))
            return fail(QStringLiteral("slapd exited with %1: %2").arg(m_process.exitCode()).arg(log().right(2000)));
        if (QFileInfo::exists(m_tempDir.filePath(QStringLiteral("slapd.pid")))
            && log().contains(QLatin1String("slapd starting")))
            return true;
    }
    endProcess(m_process, false);
    return fail(QStringLiteral("slapd not ready within 20 s: ") + log().right(2000));
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
    QByteArray ldif = ldifLine(QStringLiteral("dn"), strDn);
    ldif += "objectClass: inetOrgPerson\n";
    // The object class needs a cn and an sn: fill them in when the caller does not.
    bool bCn = false;
    bool bSn = false;
    for (const auto &attribute : attributes) {
        ldif += ldifLine(attribute.first, attribute.second);
        bCn = bCn || attribute.first == QLatin1String("cn");
        bSn = bSn || attribute.first == QLatin1String("sn");
    }
    return runLdapAdd(ldif + (bCn ? "" : "cn: test user\n") + (bSn ? "" : "sn: user\n"));
}

void SlapdServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    QFile pidFile(m_tempDir.filePath(QStringLiteral("slapd.pid")));
    bool bOk = false;
    pid_t pid = 0;
    if (pidFile.open(QIODevice::ReadOnly))
        pid = static_cast<pid_t>(pidFile.readAll().trimmed().toLongLong(&bOk));
    if (bOk && pid > 0)
        ::kill(pid, SIGTERM);
    endProcess(m_process, true, 10000);
}

QString SlapdServer::log() const
{
    QFile file(m_tempDir.filePath(QStringLiteral("slapd.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
