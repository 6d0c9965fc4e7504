// Ferrodock: the download server the program starts with one argument, the loopback port.

#include "FerrodockEndpoint.h"
#include "FetchPlanner.h"
#include "JobTable.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <curl/curl.h>
#include <sodium.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_iSignalPipe[2] = {-1, -1};

void onTerminate(int)
{
    const char cByte = 1;
    (void)!::write(g_iSignalPipe[1], &cByte, 1);
}

} // namespace

int main(int argc, char *argv[])
{
    // Die with the program that started us, so no orphan keeps the port; the check after prctl covers a
    // parent that died before the request took effect.
    const pid_t iParent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != iParent)
        return 0;

    QCoreApplication app(argc, argv);
    bool bOk = false;
    const int iPort = argc == 2 ? QString::fromLocal8Bit(argv[1]).toInt(&bOk) : 0;
    if (!bOk || iPort <= 0 || iPort > 65535) {
        std::fprintf(stderr, "usage: Ferrodock <port>\n");
        return 2;
    }

    std::signal(SIGPIPE, SIG_IGN);
    // A file-size limit must fail the write (EFBIG, answered 400), not kill the server.
    std::signal(SIGXFSZ, SIG_IGN);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_iSignalPipe) == 0) {
        std::signal(SIGTERM, onTerminate);
        std::signal(SIGINT, onTerminate);
        auto *pNotifier = new QSocketNotifier(g_iSignalPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(pNotifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    }
    curl_global_init(CURL_GLOBAL_DEFAULT);
    if (sodium_init() < 0) {
        std::fprintf(stderr, "Ferrodock: libsodium could not start\n");
        return 3;
    }
    {
        gearbay::FetchPlanner planner(QCoreApplication::applicationDirPath());
        QString strError;
        if (planner.load(&strError) && !planner.isTrustConfigured())
            qWarning().noquote() << "---orlenk--- CatalogPublicKey is empty: downloads are installed without "
                                    "checking the catalog's signature";
    }

    int iResult = 0;
    {
        gearbay::JobTable jobs;
        gearbay::FerrodockEndpoint endpoint(QCoreApplication::applicationDirPath(), &jobs);
        if (!endpoint.listen(iPort)) {
            std::fprintf(stderr, "Ferrodock: cannot listen on 127.0.0.1:%d\n", iPort);
            return 3;
        }
        qDebug().noquote() << "---orlenk--- Ferrodock serving on 127.0.0.1:" << iPort;

        QTimer parentWatch;
        QObject::connect(&parentWatch, &QTimer::timeout, &app, [iParent] {
            if (getppid() != iParent)
                QCoreApplication::quit();
        });
        parentWatch.start(1000);
        iResult = app.exec();
        // Stop taking requests, then let running jobs remove their partial files.
        endpoint.stop();
        jobs.cancelAll();
    }
    curl_global_cleanup();
    return iResult;
}
