#include "ClientRequestManager.h"
#include "Corvanet.h"
#include "LoopbackHttpServer.h"
#include "ServerProtocol.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>
#include <condition_variable>
#include <memory>
#include <mutex>

using gearbay::ClientRequestManager;
using gearbay::RequestParam;
namespace protocol = gearbay::protocol;

// The request dispatcher against a real HTTP server on loopback standing in for Ferrodock.
class ClientRequestTest : public QObject
{
    Q_OBJECT

    struct Arrival
    {
        QString strTarget;
        int iMethod = 0;
        QStringList urls;
    };
    // The answer the server gives: "0" for every URL.
    static QByteArray zeros(int iMethod, const QStringList &urls)
    {
        QVector<protocol::UrlValue> values;
        for (const QString &url : urls)
            values.append({url, QStringLiteral("0")});
        return protocol::responseBody(iMethod, values);
    }
    QVector<Arrival> arrivals()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_vectArrivals;
    }
    void release(int iCount)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_iReleases += iCount;
        m_released.notify_all();
    }

    LoopbackHttpServer m_server;
    std::unique_ptr<ClientRequestManager> m_pManager;
    std::mutex m_mutex;
    std::condition_variable m_released;
    QVector<Arrival> m_vectArrivals;
    int m_iReleases = 0;

private slots:
    void initTestCase()
    {
        QVERIFY(CorvaInit());
        // Answers like the download server: "0" for every URL. A URL "block..." holds its request
        // until the test releases it; the URL "nul" gets a reply with trailing bytes after a NUL.
        m_server.server.Post(".*", [this](const httplib::Request &request, httplib::Response &response) {
            Arrival arrival;
            arrival.strTarget = QString::fromStdString(request.path + "?format=" + request.get_param_value("format"));
            QString error;
            protocol::parseRequest(QByteArray::fromStdString(request.body), &arrival.iMethod, &arrival.urls, &error);
            const bool bBlock = !arrival.urls.isEmpty() && arrival.urls.first().startsWith(QLatin1String("block"));
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_vectArrivals.append(arrival);
                if (bBlock && m_released.wait_for(lock, std::chrono::seconds(20), [this] { return m_iReleases > 0; }))
                    --m_iReleases;
            }
            std::string body = zeros(arrival.iMethod, arrival.urls).toStdString();
            if (arrival.urls == QStringList {QStringLiteral("nul")})
                body += std::string("\0{\"junk\"", 8);
            response.set_content(body, "application/json");
        });
        QVERIFY(m_server.start() > 0);
        m_pManager = std::make_unique<ClientRequestManager>();
        m_pManager->setMaxThreadCount(10);
    }

    void cleanup()
    {
        release(1000); // a failed check must not leave requests hanging in the server
        m_pManager->clear();
        std::lock_guard<std::mutex> lock(m_mutex);
        m_vectArrivals.clear();
    }

    void cleanupTestCase()
    {
        release(1000);
        m_pManager.reset();
        m_server.stop();
        CorvaFini();
    }

    void request_data()
    {
        QTest::addColumn<int>("iMethod");
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("strTarget");
        const QStringList one {QStringLiteral("file:///srv/catalog/tools/hexview.tar.gz")};
        const QStringList two {QStringLiteral("http://127.0.0.1/b.tar.gz"), QStringLiteral("http://127.0.0.1/a.tar.gz")};
        QTest::newRow("3 two tools in order") << 3 << two << "/DownloadSubTool?format=json";
        QTest::newRow("7 unknown") << 7 << one << "/OtherReqire?format=json";
        // Non-ASCII must survive the Latin-1 string the reply travels in.
        QTest::newRow("non-ASCII URL") << 3 << QStringList {QStringLiteral("http://127.0.0.1/工具/单位换算.tar.gz")}
                                       << "/DownloadSubTool?format=json";
        QTest::newRow("reply cut at NUL") << 4 << QStringList {QStringLiteral("nul")} << "/DownloadProgress?format=json";
    }

    void request()
    {
        QFETCH(int, iMethod);
        QFETCH(QStringList, urls);
        QFETCH(QString, strTarget);
        QSignalSpy spy(m_pManager.get(), &ClientRequestManager::signalRequestResult);
        m_pManager->sendRequest(RequestParam {iMethod, m_server.port(), urls});
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 20000);

        const QVector<Arrival> seen = arrivals();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().strTarget, strTarget);
        QCOMPARE(seen.first().iMethod, iMethod);
        QCOMPARE(seen.first().urls, urls);
        QCOMPARE(spy.first().at(0).toInt(), 0);
        QCOMPARE(spy.first().at(1).toString().toLatin1(), zeros(iMethod, urls));
    }

    void failure_data()
    {
        QTest::addColumn<int>("iMethod");
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<bool>("bServerUp");
        QTest::addColumn<bool>("bClient");
        QTest::addColumn<int>("iError");
        QTest::addColumn<QString>("strCode");
        const QStringList two {QStringLiteral("http://127.0.0.1/z.tar.gz"), QStringLiteral("http://127.0.0.1/a.tar.gz")};
        QTest::newRow("exchange failed") << 3 << two << false << true << 7 << "110"; // CURLE_COULDNT_CONNECT
        QTest::newRow("no URLs") << 3 << QStringList() << true << true << -1 << "130";
        QTest::newRow("no client") << 4 << two << true << false << int(CORVA_ERROR_NOT_INITIALISED) << "140";
    }

    void failure()
    {
        QFETCH(int, iMethod);
        QFETCH(QStringList, urls);
        QFETCH(bool, bServerUp);
        QFETCH(bool, bClient);
        QFETCH(int, iError);
        QFETCH(QString, strCode);
        int iPort = m_server.port();
        if (!bServerUp) {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            iPort = closed.serverPort();
        }
        if (!bClient)
            CorvaFini(); // a manager made before CorvaInit gets no client handle
        ClientRequestManager manager;
        if (!bClient)
            QVERIFY(CorvaInit());

        QSignalSpy spy(&manager, &ClientRequestManager::signalRequestResult);
        manager.sendRequest(RequestParam {iMethod, iPort, urls});
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 20000);
        QCOMPARE(spy.first().at(0).toInt(), iError);
        int iReplyMethod = 0;
        QVector<protocol::UrlValue> values;
        QString error;
        QVERIFY(protocol::parseResponse(spy.first().at(1).toString().toLatin1(), &iReplyMethod, &values, &error));
        QCOMPARE(iReplyMethod, iMethod);
        QCOMPARE(values.size(), urls.size());
        for (int i = 0; i < urls.size(); ++i)
            QCOMPARE(values.at(i), protocol::UrlValue(urls.at(i), strCode));
        QVERIFY(arrivals().isEmpty());
    }

    void queuedRequestsStartByPriority()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_iReleases = 0;
        }
        QSignalSpy spy(m_pManager.get(), &ClientRequestManager::signalRequestResult);
        const int iPort = m_server.port();
        for (int i = 0; i < 10; ++i)
            m_pManager->sendRequest(RequestParam {3, iPort, {QStringLiteral("block%1").arg(i)}});
        QTRY_COMPARE_WITH_TIMEOUT(arrivals().size(), 10, 20000);

        // Queued behind ten running requests, sent lowest priority first.
        m_pManager->sendRequest(RequestParam {4, iPort, {QStringLiteral("poll")}});
        m_pManager->sendRequest(RequestParam {3, iPort, {QStringLiteral("tool")}});
        m_pManager->sendRequest(RequestParam {6, iPort, {QStringLiteral("version")}});
        QTest::qWait(100);
        QCOMPARE(arrivals().size(), 10);

        // One free thread: the queue drains one request at a time, highest priority first.
        release(1);
        QTRY_COMPARE_WITH_TIMEOUT(arrivals().size(), 13, 20000);
        const QVector<Arrival> seen = arrivals();
        QCOMPARE((QVector<int>{seen.at(10).iMethod, seen.at(11).iMethod, seen.at(12).iMethod}), (QVector<int>{6, 3, 4}));
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 4, 20000);
        release(9);
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 13, 20000);
        for (const QList<QVariant> &result : qAsConst(spy))
            QCOMPARE(result.at(0).toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(ClientRequestTest)
#include "tst_clientrequest.moc"
