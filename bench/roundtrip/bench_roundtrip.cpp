// Progress-poll round trips as the program makes them: 10,000 method-4 requests, one after another,
// through ClientRequestManager to a real Ferrodock that has 20 downloads under way (held mid-transfer by
// the catalog server). Baseline: the same client against a bare loopback HTTP server answering a fixed
// document, measured in the same run. Prints p50, p99 and the ratios. A measurement, not a test.

#include "BenchSupport.h"
#include "ClientRequestManager.h"
#include "Corvanet.h"
#include "ServerProtocol.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <httplib.h>
#include <thread>
#include <vector>

namespace {

constexpr int kRequests = 10000;
constexpr int kJobs = 20;

// Sends kRequests method-4 requests one after another; returns the latencies in microseconds.
std::vector<double> measure(int iPort, const QString &strUrl)
{
    std::vector<double> latencies;
    latencies.reserve(kRequests);
    gearbay::ClientRequestManager manager;
    manager.setMaxThreadCount(3);
    QElapsedTimer timer;
    int iFailed = 0;
    QObject::connect(
        &manager, &gearbay::ClientRequestManager::signalRequestResult, [&](int iError, const QString &) {
            latencies.push_back(timer.nsecsElapsed() / 1000.0);
            iFailed += iError != 0;
            if (int(latencies.size()) == kRequests) {
                QCoreApplication::quit();
                return;
            }
            timer.restart();
            manager.sendRequest({ 4, iPort, { strUrl } });
        });
    timer.start();
    manager.sendRequest({ 4, iPort, { strUrl } });
    QCoreApplication::exec();
    if (iFailed)
        std::printf("  (%d requests failed)\n", iFailed);
    std::sort(latencies.begin(), latencies.end());
    return latencies;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (!CorvaInit())
        return 1;
    bench::BenchCatalog catalog;
    const QStringList strUrls = catalog.start()
        ? catalog.addPackages(kJobs, QStringLiteral("tool%1"), 4 << 20, false)
        : QStringList();
    for (const QString &strUrl : strUrls)
        catalog.server().setFault(QUrl(strUrl).path(), CatalogTestServer::Fault::Stall);
    bench::FerrodockRun ferrodock;
    if (strUrls.isEmpty() || !catalog.publish() || !ferrodock.start(catalog.program(), false))
        return 1;
    const int iPort = ferrodock.port();
    // Start the 20 downloads through the same client path the program uses.
    {
        gearbay::ClientRequestManager starter;
        int iAnswers = 0;
        QObject::connect(
            &starter, &gearbay::ClientRequestManager::signalRequestResult, [&iAnswers](int, const QString &) {
                if (++iAnswers == kJobs)
                    QCoreApplication::quit();
            });
        for (const QString &strUrl : strUrls)
            starter.sendRequest({ 3, iPort, { strUrl } });
        QCoreApplication::exec();
    }
    QThread::msleep(500);

    // The baseline: a loopback server that only answers.
    httplib::Server bare;
    const std::string answer
        = gearbay::protocol::responseBody(4, { { strUrls.first(), QStringLiteral("50") } }).toStdString();
    bare.Post(R"(/.*)", [&answer](const httplib::Request &, httplib::Response &response) {
        response.set_content(answer, "application/json");
    });
    bare.set_tcp_nodelay(true);
    const int iBarePort = bare.bind_to_any_port("127.0.0.1");
    std::thread bareThread([&bare] { bare.listen_after_bind(); });

    std::printf("Request round trip: %d method-4 requests through ClientRequestManager, one after another\n",
        kRequests);
    const std::vector<double> base = measure(iBarePort, strUrls.first());
    const std::vector<double> real = measure(iPort, strUrls.first());
    const double fBase50 = bench::percentile(base, 0.5), fBase99 = bench::percentile(base, 0.99);
    const double fReal50 = bench::percentile(real, 0.5), fReal99 = bench::percentile(real, 0.99);
    std::printf(
        "  bare loopback server (baseline): p50 %.3f ms, p99 %.3f ms\n", fBase50 / 1000, fBase99 / 1000);
    std::printf("  Ferrodock, %d downloads under way: p50 %.3f ms, p99 %.3f ms\n", kJobs, fReal50 / 1000,
        fReal99 / 1000);
    std::printf("  ratio to baseline: p50 %.2f, p99 %.2f; target p50 < 1 ms: %s, p99 < 10 ms: %s\n",
        fReal50 / fBase50, fReal99 / fBase99, fReal50 < 1000 ? "met" : "MISSED",
        fReal99 < 10000 ? "met" : "MISSED");

    bare.stop();
    bareThread.join();
    catalog.server().releaseStall();
    CorvaFini();
    return 0;
}
