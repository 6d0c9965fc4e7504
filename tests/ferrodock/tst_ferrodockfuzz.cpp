// Thousands of random and mutated request bodies against the real Ferrodock: seeded, so a failure
// names the request that caused it and reproduces. Every answer must be a well-formed document, and
// the server must still serve afterwards.

#include "CatalogTestServer.h"
#include "Mutator.h"
#include "FerrodockLauncher.h"
#include "ServerProtocol.h"
#include "TempProgramFolder.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <curl/curl.h>

namespace protocol = gearbay::protocol;

namespace {

size_t collect(char *pData, size_t iSize, size_t iCount, void *pUser)
{
    static_cast<QByteArray *>(pUser)->append(pData, int(iSize * iCount));
    return iSize * iCount;
}

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
        curl_global_init(CURL_GLOBAL_DEFAULT);
        m_pCurl = curl_easy_init();
        curl_easy_setopt(m_pCurl, CURLOPT_NOPROXY, "*");
        curl_easy_setopt(m_pCurl, CURLOPT_TIMEOUT, 20L);
        curl_easy_setopt(m_pCurl, CURLOPT_WRITEFUNCTION, collect);
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
        m_ferrodock.kill();
        m_ferrodock.waitForFinished(5000);
        if (m_pCatalog)
            m_pCatalog->stop();
        curl_easy_cleanup(m_pCurl);
        curl_global_cleanup();
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
            const long iStatus = post(strPath, body, &reply);
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
        QCOMPARE(post(protocol::methodPath(4), protocol::requestBody(4, {QStringLiteral("http://x/")}), &reply), 200L);
    }

private:
    long post(const QString &strPath, const QByteArray &body, QByteArray *pReply)
    {
        pReply->clear();
        const QByteArray url = QStringLiteral("http://127.0.0.1:%1%2").arg(m_iPort).arg(strPath).toUtf8();
        curl_easy_setopt(m_pCurl, CURLOPT_URL, url.constData());
        curl_easy_setopt(m_pCurl, CURLOPT_POSTFIELDS, body.constData());
        curl_easy_setopt(m_pCurl, CURLOPT_POSTFIELDSIZE, long(body.size()));
        curl_easy_setopt(m_pCurl, CURLOPT_WRITEDATA, pReply);
        long iStatus = 0;
        if (curl_easy_perform(m_pCurl) == CURLE_OK)
            curl_easy_getinfo(m_pCurl, CURLINFO_RESPONSE_CODE, &iStatus);
        return iStatus;
    }

    QTemporaryDir m_catalogDir;
    std::unique_ptr<CatalogTestServer> m_pCatalog;
    TempProgramFolder m_program;
    QProcess m_ferrodock;
    int m_iPort = 0;
    CURL *m_pCurl = nullptr;
};

QTEST_GUILESS_MAIN(TestFerrodockFuzz)
#include "tst_ferrodockfuzz.moc"
