#include "PortProbe.h"

#include <QTcpServer>
#include <QtTest>
#include <memory>
#include <vector>

// The free-port probe against ports really held by listening sockets. (Busy ports skipped on the
// way to a free one: tst_mainwindow, through the window that asks.)
class PortProbeTest : public QObject
{
    Q_OBJECT

private:
    // Holds the port if it can; a port someone else holds is taken just as well.
    void hold(quint16 port)
    {
        auto server = std::make_unique<QTcpServer>();
        if (server->listen(QHostAddress::LocalHost, port))
            m_held.push_back(std::move(server));
    }

    std::vector<std::unique_ptr<QTcpServer>> m_held;

private slots:
    void cleanup() { m_held.clear(); }

    void noCandidateFree()
    {
        for (int i = 0; i < gearbay::kServerPortCandidates; ++i)
            hold(quint16(gearbay::kFirstServerPort + i * gearbay::kServerPortStep));
        // The next port past the candidates must not be tried, let alone reported.
        const quint16 beyond
            = quint16(gearbay::kFirstServerPort + gearbay::kServerPortCandidates * gearbay::kServerPortStep);
        if (!QTcpServer().listen(QHostAddress::LocalHost, beyond))
            QSKIP("the port past the candidates is in use by another program");

        int iPort = gearbay::kFirstServerPort;
        QVERIFY(!gearbay::findValidPort(iPort));
        QCOMPARE(iPort, int(beyond));
        QCOMPARE(gearbay::findValidPort(), -1);
    }
};

QTEST_GUILESS_MAIN(PortProbeTest)
#include "tst_portprobe.moc"
