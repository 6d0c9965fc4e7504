// Directory login against a real slapd on loopback, StartTLS required.
#include "DirectoryAuthenticator.h"
#include "DirectoryLogin.h"
#include "SlapdServer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>
#include <memory>

using gearbay::DirectoryAuthenticator;
using gearbay::DirectoryLogin;

namespace {
// A name with every character that has a meaning in a DN, leading '#'.
const QString kOddUser = QStringLiteral("#x, y+z\"\\<>;=w");
// The same name escaped by hand, as the server must be asked for it.
const QString kOddDn = QStringLiteral("uid=\\#x\\, y\\+z\\\"\\\\\\<\\>\\;\\=w,ou=people,dc=example,dc=org");
const QString kSpacedUser = QStringLiteral(" bob ");
const QString kSpacedDn = QStringLiteral("uid=\\ bob\\ ,ou=people,dc=example,dc=org");
} // namespace

class TestDirectoryLogin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString strMissing = SlapdServer::missingTools();
        if (!strMissing.isEmpty())
            QSKIP(qPrintable(QStringLiteral("slapd test parts missing: ") + strMissing));
        SlapdServer::Options options;
        options.bLdaps = true;
        m_pSlapd.reset(new SlapdServer(options));
        QVERIFY2(m_pSlapd->start(), qPrintable(m_pSlapd->lastError()));
        QVERIFY2(m_pSlapd->addUser(QStringLiteral("alice"), QStringLiteral("wonder land")),
            qPrintable(m_pSlapd->lastError()));
        const QList<QStringList> users { { kOddDn, kOddUser, "odd" }, { kSpacedDn, kSpacedUser, "spaced" } };
        for (const QStringList &user : users)
            QVERIFY2(m_pSlapd->addEntry(user[0], { { "uid", user[1] }, { "userPassword", user[2] } }),
                qPrintable(m_pSlapd->lastError()));
    }

    void escapesDnValues_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("escaped");
        // Specials, a leading '#' and edge blanks are proven against the server by binds().
        QTest::newRow("nul") << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")) << "a\\00b";
        QTest::newRow("not a placeholder") << "%1" << "%1";
    }

    void escapesDnValues()
    {
        QFETCH(QString, value);
        QFETCH(QString, escaped);
        QCOMPARE(DirectoryAuthenticator::escapeDnValue(value), escaped);
        const DirectoryAuthenticator dn(QStringLiteral("ldap://127.0.0.1:1"), QStringLiteral("uid=%1,dc=x"));
        QCOMPARE(dn.userDn(value), QStringLiteral("uid=") + escaped + QStringLiteral(",dc=x"));
    }

    void binds_data()
    {
        QTest::addColumn<QString>("server"); // "ldap" (StartTLS) or "ldaps"; "untrusted": without the CA file
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("result"); // -1: anything but accepted
        const int accepted = DirectoryAuthenticator::Accepted;
        const int refused = DirectoryAuthenticator::Refused;
        const int empty = DirectoryAuthenticator::EmptyCredentials;
        // Without the CA file the system trust store applies, which does not know the test certificate.
        const int untrusted = DirectoryAuthenticator::SecureChannelFailed;
        // clang-format off
        QTest::newRow("right password")         << "ldap"  << "alice"           << "wonder land" << accepted;
        QTest::newRow("wrong password")         << "ldap"  << "alice"           << "wonderland"  << refused;
        QTest::newRow("unknown user")           << "ldap"  << "mallory"         << "wonder land" << refused;
        QTest::newRow("DN special characters")  << "ldap"  << kOddUser          << "odd"         << accepted;
        QTest::newRow("DN specials, wrong password") << "ldap" << kOddUser << "wonder land" << refused;
        QTest::newRow("edge spaces in the name") << "ldap" << kSpacedUser       << "spaced"      << accepted;
        QTest::newRow("injected DN parts")      << "ldap"  << "alice,ou=people" << "wonder land" << refused;
        QTest::newRow("ldaps")                  << "ldaps" << "alice"           << "wonder land" << accepted;
        QTest::newRow("empty password")         << "ldap"  << "alice"           << ""            << empty;
        QTest::newRow("empty user")             << "ldap"  << ""                << "wonder land" << empty;
        QTest::newRow("blank user")             << "ldap"  << "   "             << "wonder land" << empty;
        QTest::newRow("untrusted certificate")  << "untrusted ldap"  << "alice" << "wonder land" << untrusted;
        QTest::newRow("untrusted, ldaps")       << "untrusted ldaps" << "alice" << "wonder land" << -1;
        // clang-format on
    }

    void binds()
    {
        QFETCH(QString, server);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, result);
        const bool bLdaps = server.endsWith(QLatin1String("ldaps"));
        const bool bSent
            = result == DirectoryAuthenticator::Accepted || result == DirectoryAuthenticator::Refused;
        const auto count = [this](const char *pEvent) { return m_pSlapd->countInLog(QLatin1String(pEvent)); };
        const int iConnections = count(" ACCEPT from");
        const int iStartTls = count(" STARTTLS");
        const int iBinds = count(" BIND dn=");
        const QString strCa = server.startsWith(QLatin1String("untrusted")) ? QString() : m_pSlapd->caFile();
        const DirectoryAuthenticator tried(
            bLdaps ? m_pSlapd->ldapsUrl() : m_pSlapd->url(), m_pSlapd->userDnTemplate(), strCa);
        const int iGot = tried.bind(user, password);
        if (result < 0)
            QVERIFY(iGot != DirectoryAuthenticator::Accepted);
        else
            QCOMPARE(iGot, result);
        // A later bind is logged after this one, so the server's log is complete once it shows.
        const QString strLater = QStringLiteral("later%1").arg(iBinds);
        QCOMPARE(authenticator().bind(strLater, QStringLiteral("x")), DirectoryAuthenticator::Refused);
        QTRY_VERIFY_WITH_TIMEOUT(m_pSlapd->countInLog(strLater) > 0, 10000);
        QCOMPARE(count(" BIND dn=") - iBinds > 1, bSent);
        // The server requires TLS, so an answer at all proves it was used; the log shows which way.
        if (bSent)
            QCOMPARE(count(" STARTTLS") - iStartTls, bLdaps ? 1 : 2);
        if (result == DirectoryAuthenticator::EmptyCredentials)
            QCOMPARE(count(" ACCEPT from") - iConnections, 1);
    }

    void unreachableServerEndsWithinTimeout_data()
    {
        QTest::addColumn<QString>("scheme");
        // Nothing listening at all is the login dialog's "server down" case.
        QTest::newRow("listening, never answering") << "ldap";
        QTest::newRow("ldaps, never answering") << "ldaps";
    }

    void unreachableServerEndsWithinTimeout()
    {
        QFETCH(QString, scheme);
        // A silent peer: the kernel completes the handshake, nobody ever reads or writes.
        QTcpServer silentServer;
        QVERIFY(silentServer.listen(QHostAddress::LocalHost, 0));
        const quint16 iPort = silentServer.serverPort();
        const int iTimeoutMs = 1500;
        const DirectoryAuthenticator unreachable(QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(iPort),
            m_pSlapd->userDnTemplate(), m_pSlapd->caFile(), iTimeoutMs);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(unreachable.bind(QStringLiteral("alice"), QStringLiteral("wonder land")),
            DirectoryAuthenticator::ServerUnavailable);
        // Generous: the point is that it ends, not how fast.
        QVERIFY2(timer.elapsed() < iTimeoutMs + 8000, qPrintable(QString::number(timer.elapsed())));
    }

    void reportsAsynchronously()
    {
        DirectoryLogin login;
        QSignalSpy spy(&login, &DirectoryLogin::signalFinished);
        QVERIFY(login.start(authenticator(), QStringLiteral("alice"), QStringLiteral("wonder land")));
        QVERIFY(!login.start(authenticator(), QStringLiteral("alice"), QStringLiteral("other")));
        QVERIFY(spy.wait(20000));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<DirectoryAuthenticator::Result>(), DirectoryAuthenticator::Accepted);
        QVERIFY(!login.isRunning());

        // The same object serves a second attempt: the stopped server is reported, not waited on.
        m_pSlapd->stop();
        QElapsedTimer timer;
        timer.start();
        QVERIFY(login.start(authenticator(), QStringLiteral("alice"), QStringLiteral("wonder land")));
        QVERIFY(spy.wait(20000));
        QCOMPARE(spy.at(1).at(0).value<DirectoryAuthenticator::Result>(),
            DirectoryAuthenticator::ServerUnavailable);
        // Refused at once, not left to the timeout.
        QVERIFY2(timer.elapsed() < DirectoryAuthenticator::kDefaultTimeoutMs,
            qPrintable(QString::number(timer.elapsed())));

        // Destroyed mid-bind: the owner is not held up by the worker, and the worker's late answer
        // (it ends with its 300 ms timeout, while this test still runs) reaches no deleted object.
        QTcpServer silentServer;
        QVERIFY(silentServer.listen(QHostAddress::LocalHost, 0));
        auto *pLogin = new DirectoryLogin;
        QVERIFY(pLogin->start(
            DirectoryAuthenticator(QStringLiteral("ldap://127.0.0.1:%1").arg(silentServer.serverPort()),
                m_pSlapd->userDnTemplate(), m_pSlapd->caFile(), 300),
            QStringLiteral("alice"), QStringLiteral("x")));
        timer.restart();
        delete pLogin;
        QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
        QTest::qWait(600);
    }

private:
    DirectoryAuthenticator authenticator(const QString &strServer = QString()) const
    {
        return DirectoryAuthenticator(strServer.isEmpty() ? m_pSlapd->url() : strServer,
            m_pSlapd->userDnTemplate(), m_pSlapd->caFile());
    }

    std::unique_ptr<SlapdServer> m_pSlapd;
};

QTEST_GUILESS_MAIN(TestDirectoryLogin)
#include "tst_directorylogin.moc"
