#include "Corvanet.h"
#include "LoopbackHttpServer.h"

#include <QtTest>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Corvanet against a real HTTP server on loopback.
class CorvanetTest : public QObject
{
    Q_OBJECT

    struct Exchange
    {
        bool bOk = false;
        int iError = 0;
        QByteArray reply;
        bool bTerminated = false;
        bool bNoReply = false;
    };
    // One exchange; bSetBody false leaves the body parameter alone.
    Exchange post(int handle, const QByteArray &target, const QByteArray &body, bool bSetBody = true)
    {
        Exchange result;
        CorvaExchangeBlock block {};
        block.url = target.constData();
        block.urlLength = target.size();
        result.bOk = (!bSetBody || CorvaHttpSetParam(handle, CORVA_PARAM_BODY, 0, 0, body.constData(), body.size()))
            && CorvaHttpExchange(handle, &block);
        result.iError = CorvaLastError();
        result.bNoReply = !block.reply && block.replyLength == 0;
        if (result.bOk) {
            result.reply = QByteArray(block.reply, block.replyLength);
            result.bTerminated = block.reply[block.replyLength] == '\0';
        }
        return result;
    }
    QByteArray url(const char *path) const
    {
        return QByteArray("http://127.0.0.1:") + QByteArray::number(m_server.port()) + path;
    }

    LoopbackHttpServer m_server;
    std::mutex m_mutex;
    std::string m_strContentType;
    std::string m_strMethod;
    std::mutex m_gateMutex;
    std::condition_variable m_gate;
    int m_iWaiting = 0;
    int m_iHandle = -1;

private slots:
    void initTestCase()
    {
        QVERIFY(CorvaInit());
        m_iHandle = CorvaHttpCreate();
        QVERIFY(m_iHandle >= 0);

        m_server.server.Post("/echo", [this](const httplib::Request &request, httplib::Response &response) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_strContentType = request.get_header_value("Content-Type");
                m_strMethod = request.method;
            }
            response.set_content(request.body, "application/json");
        });
        m_server.server.Post("/nul", [](const httplib::Request &, httplib::Response &response) {
            response.set_content(std::string("{\"a\":1}\0tail", 12), "application/json");
        });
        m_server.server.Post("/broken", [](const httplib::Request &, httplib::Response &response) {
            response.status = 500;
            response.set_content("{}", "application/json");
        });
        // Holds each request until ten are inside at once, so the ten exchanges really overlap.
        m_server.server.Post("/together", [this](const httplib::Request &request, httplib::Response &response) {
            std::unique_lock<std::mutex> lock(m_gateMutex);
            ++m_iWaiting;
            m_gate.notify_all();
            m_gate.wait_for(lock, std::chrono::seconds(20), [this] { return m_iWaiting >= 10; });
            response.set_content("reply to " + request.body, "text/plain");
        });
        QVERIFY(m_server.start() > 0);
    }

    void cleanupTestCase()
    {
        m_server.stop();
        CorvaHttpDestroy(m_iHandle);
        CorvaFini();
    }

    void exchange_data()
    {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("bValidHandle");
        QTest::addColumn<int>("iError");
        QTest::addColumn<QByteArray>("reply");

        QTest::newRow("empty body") << url("/echo") << QByteArray() << true << int(CORVA_OK) << QByteArray();
        // Past 1 KiB libcurl would otherwise wait for "100 Continue".
        const QByteArray large(64 * 1024, 'x');
        QTest::newRow("large body") << url("/echo") << large << true << int(CORVA_OK) << large;
        QTest::newRow("NUL inside the reply is kept")
            << url("/nul") << QByteArray("{}") << true << int(CORVA_OK) << QByteArray("{\"a\":1}\0tail", 12);
        QTest::newRow("server error")
            << url("/broken") << QByteArray() << true << int(CORVA_ERROR_HTTP_BASE) + 500 << QByteArray();
        QTest::newRow("not a web URL") << QByteArray("file:///etc/hostname") << QByteArray() << true << 1
                                       << QByteArray(); // CURLE_UNSUPPORTED_PROTOCOL
        QTest::newRow("destroyed handle")
            << url("/echo") << QByteArray() << false << int(CORVA_ERROR_BAD_HANDLE) << QByteArray();
    }

    void exchange()
    {
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, body);
        QFETCH(bool, bValidHandle);
        QFETCH(int, iError);
        QFETCH(QByteArray, reply);

        int handle = m_iHandle;
        if (!bValidHandle) {
            handle = CorvaHttpCreate();
            CorvaHttpDestroy(handle);
        }
        // A failing exchange is sent without setting a body, so that the exchange itself must tell.
        const bool bOk = iError == CORVA_OK;
        const Exchange result = post(handle, target, body, bOk);
        QCOMPARE(result.bOk, bOk);
        QCOMPARE(result.iError, iError);
        QCOMPARE(result.reply, reply);
        QVERIFY(bOk ? result.bTerminated : result.bNoReply);
        if (bOk && target.endsWith("/echo")) {
            std::lock_guard<std::mutex> lock(m_mutex);
            QCOMPARE(QByteArray::fromStdString(m_strMethod), QByteArray("POST"));
            QCOMPARE(QByteArray::fromStdString(m_strContentType), QByteArray("application/json"));
        }
        // A failure leaves the handle fit for the next exchange.
        QVERIFY(post(m_iHandle, url("/echo"), "{}").bOk);
    }

    void tenThreadsShareOneHandle()
    {
        // Each thread sets its own body between the others' SetParam and Exchange calls; a body or
        // reply shared across threads would show up as someone else's reply.
        constexpr int kThreads = 10;
        std::vector<Exchange> results(kThreads);
        std::vector<std::thread> threads;
        for (int i = 0; i < kThreads; ++i) {
            threads.emplace_back([this, i, &results] {
                results[i] = post(m_iHandle, url("/together"), "thread " + QByteArray::number(i));
            });
        }
        for (std::thread &thread : threads)
            thread.join();

        for (int i = 0; i < kThreads; ++i) {
            QVERIFY2(results[i].bOk, qPrintable(QString::number(results[i].iError)));
            QCOMPARE(results[i].reply, "reply to thread " + QByteArray::number(i));
        }
        std::lock_guard<std::mutex> lock(m_gateMutex);
        QCOMPARE(m_iWaiting, kThreads);
    }
};

QTEST_GUILESS_MAIN(CorvanetTest)
#include "tst_corvanet.moc"
