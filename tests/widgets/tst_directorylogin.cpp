// Directory login against a real slapd on loopback, StartTLS required.
#include "DirectoryAuthenticator.h"
#include "DirectoryLogin.h"
#include "SlapdServer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

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
        m_pSlapd = new SlapdServer(options);
        QVERIFY2(m_pSlapd->start(), qPrintable(m_pSlapd->lastError()));
        QVERIFY2(m_pSlapd->addUser(QStringLiteral("alice"), QStringLiteral("wonder land")),
            qPrintable(m_pSlapd->lastError()));
        QVERIFY2(m_pSlapd->addEntry(kOddDn,
                     { { QStringLiteral("uid"), kOddUser },
                         { QStringLiteral("userPassword"), QStringLiteral("odd") } }),
            qPrintable(m_pSlapd->lastError()));
        QVERIFY2(m_pSlapd->addEntry(kSpacedDn,
                     { { QStringLiteral("uid"), kSpacedUser },
                         { QStringLiteral("userPassword"), QStringLiteral("spaced") } }),
            qPrintable(m_pSlapd->lastError()));
    }

    void cleanupTestCase()
    {
        delete m_pSlapd;
        m_pSlapd = nullptr;
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
        QTest::addColumn<bool>("ldaps");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("result");
        const int accepted = DirectoryAuthenticator::Accepted;
        const int refused = DirectoryAuthenticator::Refused;
        // clang-format off
        QTest::newRow("right password")         << false << "alice"           << "wonder land" << accepted;
        QTest::newRow("wrong password")         << false << "alice"           << "wonderland"  << refused;
        QTest::newRow("unknown user")           << false << "mallory"         << "wonder land" << refused;
        QTest::newRow("DN special characters")  << false << kOddUser          << "odd"         << accepted;
        QTest::newRow("DN special characters, wrong password") << false << kOddUser << "wonder land" << refused;
        QTest::newRow("edge spaces in the name") << false << kSpacedUser      << "spaced"      << accepted;
        QTest::newRow("injected DN parts")      << false << "alice,ou=people" << "wonder land" << refused;
        QTest::newRow("ldaps")                  << true  << "alice"           << "wonder land" << accepted;
        // clang-format on
    }

    void binds()
    {
        QFETCH(bool, ldaps);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, result);
        const int iStartTlsBefore = m_pSlapd->countInLog(QStringLiteral(" STARTTLS"));
        const int iBindsBefore = m_pSlapd->countInLog(QStringLiteral(" BIND dn="));
        QCOMPARE(int(authenticator(ldaps ? m_pSlapd->ldapsUrl() : QString()).bind(user, password)), result);
        // The server requires TLS, so an answer at all proves it was used; the log shows which way.
        QTRY_VERIFY_WITH_TIMEOUT(m_pSlapd->countInLog(QStringLiteral(" BIND dn=")) > iBindsBefore, 10000);
        QCOMPARE(m_pSlapd->countInLog(QStringLiteral(" STARTTLS")) - iStartTlsBefore, ldaps ? 0 : 1);
    }

    void neverSendsEmptyPassword_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        // clang-format off
        QTest::newRow("empty password") << "alice" << "";
        QTest::newRow("empty user") << "" << "wonder land";
        QTest::newRow("blank user") << "   " << "wonder land";
        // clang-format on
    }

    void neverSendsEmptyPassword()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        const int iConnectionsBefore = m_pSlapd->countInLog(QStringLiteral(" ACCEPT from"));
        QCOMPARE(authenticator().bind(user, password), DirectoryAuthenticator::EmptyCredentials);
        // A later bind is logged, so the server's log is up to date when the count is taken.
        QCOMPARE(authenticator().bind(QStringLiteral("alice"), QStringLiteral("wrong")),
            DirectoryAuthenticator::Refused);
        QTRY_COMPARE_WITH_TIMEOUT(
            m_pSlapd->countInLog(QStringLiteral(" ACCEPT from")), iConnectionsBefore + 1, 10000);
    }

    void refusesUntrustedCertificate()
    {
        // Without the CA file the system trust store applies, which does not know the test certificate.
        const int iBindsBefore = m_pSlapd->countInLog(QStringLiteral(" BIND dn="));
        const DirectoryAuthenticator untrusted(m_pSlapd->url(), m_pSlapd->userDnTemplate());
        QCOMPARE(untrusted.bind(QStringLiteral("alice"), QStringLiteral("wonder land")),
            DirectoryAuthenticator::SecureChannelFailed);
        const DirectoryAuthenticator untrustedLdaps(m_pSlapd->ldapsUrl(), m_pSlapd->userDnTemplate());
        QVERIFY(untrustedLdaps.bind(QStringLiteral("alice"), QStringLiteral("wonder land"))
            != DirectoryAuthenticator::Accepted);
        QCOMPARE(m_pSlapd->countInLog(QStringLiteral(" BIND dn=")), iBindsBefore);
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
        // (it ends with its 1 s timeout, while this test still runs) reaches no deleted object.
        QTcpServer silentServer;
        QVERIFY(silentServer.listen(QHostAddress::LocalHost, 0));
        auto *pLogin = new DirectoryLogin;
        QVERIFY(pLogin->start(
            DirectoryAuthenticator(QStringLiteral("ldap://127.0.0.1:%1").arg(silentServer.serverPort()),
                m_pSlapd->userDnTemplate(), m_pSlapd->caFile(), 1000),
            QStringLiteral("alice"), QStringLiteral("x")));
        timer.restart();
        delete pLogin;
        QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
        QTest::qWait(1500);
    }

private:
    DirectoryAuthenticator authenticator(const QString &strServer = QString()) const
    {
        return DirectoryAuthenticator(strServer.isEmpty() ? m_pSlapd->url() : strServer,
            m_pSlapd->userDnTemplate(), m_pSlapd->caFile());
    }

    SlapdServer *m_pSlapd = nullptr;
};

QTEST_GUILESS_MAIN(TestDirectoryLogin)
#include "tst_directorylogin.moc"
