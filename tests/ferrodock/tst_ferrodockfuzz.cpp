// Thousands of random and mutated request bodies against the real Ferrodock: seeded, so a failure
// names the request that caused it and reproduces. Every answer must be a well-formed document, and
// the server must still serve afterwards.

#include "CatalogTestServer.h"
#include "Mutator.h"
#include "FerrodockLauncher.h"
#include "ServerProtocol.h"
#include "TempProgramFolder.h"
#include "TestProcess.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

namespace protocol = gearbay::protocol;

namespace {

// Pieces that confuse JSON readers: structure, odd numbers, escapes, a long string.
const QList<QByteArray> kTokens = {"{", "}", "[", "]", "\"", ":", ",", "null", "true", "1e309", "-1", "0",
                                   "2147483648", "\"method\"", "\"urls\"", "\"url\"", "\\u0000", "\\ud800",
                                   "\xff\xfe", "../", "%2e%2e", QByteArray(5000, 'a')};

} // namespace

class TestFerrodockFuzz : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_catalogDir.isValid());
        QVERIFY(m_program.isValid());
        m_pCatalog = std::make_unique<CatalogTestServer>(m_catalogDir.path());
        QVERIFY(m_pCatalog->start());
        QVERIFY(m_program.writeSetup(m_pCatalog->baseUrl(), m_pCatalog->baseUrl()));
        QVERIFY(m_program.writeCatalog({{2, "hexview", "tools/hexview.tar.gz", "tools/hexview.tar.gz"}}));
        const QString strFerrodock = m_program.installExecutable(QStringLiteral(RW_FERRODOCK_PATH));
        QVERIFY(!strFerrodock.isEmpty());

        QVERIFY((m_iPort = startFerrodock(m_ferrodock, strFerrodock, m_program.homePath())) != 0);
    }
    void cleanupTestCase()
    {
        endProcess(m_ferrodock, false);
        if (m_pCatalog)
            m_pCatalog->stop();
    }
    void everyBodyGetsAWellFormedAnswer_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("random"); // random bytes, or mutations of valid requests
        QTest::newRow("random bytes") << 11u << 3000 << true;
        QTest::newRow("mutated requests") << 23u << 6000 << false;
    }
    void everyBodyGetsAWellFormedAnswer()
    {
        QFETCH(quint32, seed);
        QFETCH(int, count);
        QFETCH(bool, random);
        QRandomGenerator generator(seed);
        const QString strBase = m_pCatalog->baseUrl();
        // Requests a client could send; URLs outside the catalog server included (they are refused unread).
        const QStringList strUrls = {strBase + QStringLiteral("/tools/hexview.tar.gz"), strBase,
                                     QStringLiteral("http://127.0.0.2:1/x"), QStringLiteral("file:///etc/passwd"),
                                     QString(), QString::fromUtf8("http://127.0.0.1:1/工具")};
        for (int i = 0; i < count; ++i) {
            const int iMethod = generator.bounded(1, 7);
            QString strPath = protocol::methodPath(iMethod);
            QByteArray body;
            if (random) {
                body.resize(generator.bounded(400));
                for (char &c : body)
                    c = char(generator.bounded(256));
                if (generator.bounded(8) == 0)
                    strPath = QStringLiteral("/") + QString::number(generator.generate(), 36);
            } else {
                QStringList urls;
                for (int j = generator.bounded(4); j > 0; --j)
                    urls.append(strUrls.at(generator.bounded(strUrls.size())));
                body = mutate(protocol::requestBody(iMethod, urls), kTokens, 4, &generator);
            }
            QByteArray reply;
            const long iStatus = postToFerrodock(m_iPort, strPath, body, &reply);
            const QString strCase = QStringLiteral("request %1 of seed %2 to %3: %4 -> %5 %6").arg(i).arg(seed).arg(
                strPath, QString::fromLatin1(body.left(200).toPercentEncoding()), QString::number(iStatus),
                QString::fromUtf8(reply.left(200)));
            if (iStatus == 200) {
                int iAnswered = 0;
                QVector<protocol::UrlValue> values;
                QString strError;
                QVERIFY2(protocol::parseResponse(reply, &iAnswered, &values, &strError), qPrintable(strCase));
                // The method asked is echoed, with one entry per URL, whether the path serves it or not.
                int iAsked = 0;
                QStringList urls;
                QVERIFY2(protocol::parseRequest(body, &iAsked, &urls, &strError), qPrintable(strCase));
                QVERIFY2(iAnswered == iAsked && values.size() == urls.size(), qPrintable(strCase));
            } else {
                QVERIFY2(iStatus == 400 || iStatus == 404 || iStatus == 413, qPrintable(strCase));
                const QJsonObject answer = QJsonDocument::fromJson(reply).object();
                QVERIFY2(answer.value(QStringLiteral("error")).isString(), qPrintable(strCase));
            }
            QVERIFY2(m_ferrodock.state() == QProcess::Running, qPrintable(strCase));
        }
        // Still answering ordinary requests.
        QByteArray reply;
        QCOMPARE(postToFerrodock(m_iPort, protocol::methodPath(4), protocol::requestBody(4, {QStringLiteral("http://x/")}), &reply), 200L);
    }

private:
    QTemporaryDir m_catalogDir;
    std::unique_ptr<CatalogTestServer> m_pCatalog;
    TempProgramFolder m_program;
    QProcess m_ferrodock;
    int m_iPort = 0;
};

QTEST_GUILESS_MAIN(TestFerrodockFuzz)
#include "tst_ferrodockfuzz.moc"
