#include "ClientRequestManager.h"
#include "Corvanet.h"
#include "LoopbackHttpServer.h"
#include "ServerProtocol.h"
#include "TestProcess.h"

#include <QSignalSpy>
#include <QtTest>
#include <condition_variable>
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
    // The answer with strValue for every URL: "0" from the server.
    static QByteArray answer(
        int iMethod, const QStringList &urls, const QString &strValue = QStringLiteral("0"))
    {
        QVector<protocol::UrlValue> values;
        for (const QString &url : urls)
            values.append({ url, strValue });
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
            std::string body = answer(arrival.iMethod, arrival.urls).toStdString();
            if (arrival.urls == QStringList {QStringLiteral("nul")})
                body += std::string("\0{\"junk\"", 8);
            response.set_content(body, "application/json");
        });
        QVERIFY(m_server.start() > 0);
    }

    void cleanup()
    {
        release(1000); // a failed check must not leave requests hanging in the server
        std::lock_guard<std::mutex> lock(m_mutex);
        m_vectArrivals.clear();
    }

    void cleanupTestCase()
    {
        release(1000);
        m_server.stop();
        CorvaFini();
    }

    void request_data()
    {
        QTest::addColumn<int>("iMethod");
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("strServer"); // "up", "closed" (nothing listens) or "no client"
        QTest::addColumn<int>("iError");
        QTest::addColumn<QString>("strValue"); // for every URL
        QTest::addColumn<QString>("strTarget"); // where the request arrived; empty: it never did
        const QStringList one {QStringLiteral("file:///srv/catalog/tools/hexview.tar.gz")};
        const QStringList two {QStringLiteral("http://127.0.0.1/b.tar.gz"), QStringLiteral("http://127.0.0.1/a.tar.gz")};
        const QString subTool = QStringLiteral("/DownloadSubTool?format=json");
        // clang-format off
        QTest::newRow("3 two tools in order") << 3 << two << "up" << 0 << "0" << subTool;
        QTest::newRow("7 unknown") << 7 << one << "up" << 0 << "0" << "/OtherReqire?format=json";
        // Non-ASCII must survive the Latin-1 string the reply travels in.
        QTest::newRow("non-ASCII URL")
            << 3 << QStringList { QStringLiteral("http://127.0.0.1/工具/单位换算.tar.gz") } << "up" << 0
            << "0" << subTool;
        QTest::newRow("reply cut at NUL") << 4 << QStringList { QStringLiteral("nul") } << "up" << 0 << "0"
                                          << "/DownloadProgress?format=json";
        QTest::newRow("exchange failed") << 3 << two << "closed" << 7 << "110" << ""; // CURLE_COULDNT_CONNECT
        QTest::newRow("no URLs") << 3 << QStringList() << "up" << -1 << "130" << "";
        QTest::newRow("no client") << 4 << two << "no client" << int(CORVA_ERROR_NOT_INITIALISED) << "140"
                                   << "";
        // clang-format on
    }

    void request()
    {
        QFETCH(int, iMethod);
        QFETCH(QStringList, urls);
        QFETCH(QString, strServer);
        QFETCH(int, iError);
        QFETCH(QString, strValue);
        QFETCH(QString, strTarget);
        const int iPort = strServer == QLatin1String("closed") ? freeLoopbackPort() : m_server.port();
        const bool bClient = strServer != QLatin1String("no client");
        if (!bClient)
            CorvaFini(); // a manager made before CorvaInit gets no client handle
        ClientRequestManager manager;
        if (!bClient)
            QVERIFY(CorvaInit());

        QSignalSpy spy(&manager, &ClientRequestManager::signalRequestResult);
        manager.sendRequest(RequestParam {iMethod, iPort, urls});
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 20000);
        QCOMPARE(spy.first().at(0).toInt(), iError);
        QCOMPARE(spy.first().at(1).toString().toLatin1(), answer(iMethod, urls, strValue));
        const QVector<Arrival> seen = arrivals();
        QCOMPARE(seen.size(), strTarget.isEmpty() ? 0 : 1);
        for (const Arrival &arrival : seen) {
            QCOMPARE(arrival.strTarget, strTarget);
            QCOMPARE(arrival.iMethod, iMethod);
            QCOMPARE(arrival.urls, urls);
        }
    }

    void queuedRequestsStartByPriority()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_iReleases = 0;
        }
        ClientRequestManager manager;
        manager.setMaxThreadCount(10);
        QSignalSpy spy(&manager, &ClientRequestManager::signalRequestResult);
        const int iPort = m_server.port();
        for (int i = 0; i < 10; ++i)
            manager.sendRequest(RequestParam { 3, iPort, { QStringLiteral("block%1").arg(i) } });
        QTRY_COMPARE_WITH_TIMEOUT(arrivals().size(), 10, 20000);

        // Queued behind ten running requests, sent lowest priority first.
        manager.sendRequest(RequestParam { 4, iPort, { QStringLiteral("poll") } });
        manager.sendRequest(RequestParam { 3, iPort, { QStringLiteral("tool") } });
        manager.sendRequest(RequestParam { 6, iPort, { QStringLiteral("version") } });
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
