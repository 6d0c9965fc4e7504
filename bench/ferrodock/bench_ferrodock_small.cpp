// Fifty small tool packages (100 KiB each) installed through Ferrodock at once, against fifty
// `curl -o` + `tar -x` runs one after the other, in the same run. Prints both times, the ratio and
// Ferrodock's peak resident memory. A measurement, not a test.

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>

constexpr int kPackages = 50;
constexpr int kPackageBytes = 100 * 1024;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    bench::BenchCatalog catalog;
    const QStringList strUrls = catalog.start()
        ? catalog.addPackages(kPackages, QStringLiteral("small%1"), kPackageBytes, true)
        : QStringList();
    bench::FerrodockRun ferrodock;
    if (strUrls.isEmpty() || !catalog.publish() || !ferrodock.start(catalog.program(), false))
        return 1;

    const QString strReference = catalog.folder() + QStringLiteral("/reference");
    double fBestCurl = 1e9;
    double fBestFerrodock = 1e9;
    std::printf("%d packages of %d KiB\n", kPackages, kPackageBytes / 1024);
    for (int iRound = 1; iRound <= 3; ++iRound) {
        QDir(strReference).removeRecursively();
        QElapsedTimer timer;
        timer.start();
        bool bCurl = true;
        for (int i = 0; i < kPackages && bCurl; ++i) {
            const QString strOut = strReference + QStringLiteral("/%1").arg(i);
            bCurl = bench::fetchAndUnpack(strUrls.at(i), strOut + QStringLiteral(".tar.gz"), strOut, 60000);
        }
        const double fCurl = timer.nsecsElapsed() / 1e9;

        QDir(catalog.program().downloadPath() + QStringLiteral("/SubTools")).removeRecursively();
        timer.restart();
        ferrodock.ask(3, strUrls);
        int iDone = 0;
        int iFailed = 0;
        while (timer.elapsed() < 120000) {
            const QMap<QString, QString> answers = ferrodock.ask(4, strUrls);
            iDone = 0;
            iFailed = 0;
            for (const QString &strValue : answers) {
                iDone += strValue == QLatin1String("200");
                const int iValue = strValue.toInt();
                iFailed += iValue < 0 || (iValue > 100 && iValue != 200);
            }
            if (iDone + iFailed == kPackages)
                break;
            QThread::msleep(5);
        }
        const double fFerrodock = timer.nsecsElapsed() / 1e9;
        std::printf("round %d: %d x (curl -o + tar -x) one after another %.2f s%s; Ferrodock all at once "
                    "%.2f s (%d installed, %d failed)\n",
            iRound, kPackages, fCurl, bCurl ? "" : " (FAILED)", fFerrodock, iDone, iFailed);
        std::fflush(stdout);
        if (bCurl)
            fBestCurl = std::min(fBestCurl, fCurl);
        if (iDone == kPackages)
            fBestFerrodock = std::min(fBestFerrodock, fFerrodock);
    }
    std::printf("best: sequential curl+tar %.2f s, Ferrodock %.2f s, speed ratio (curl+tar time / Ferrodock "
                "time) %.2f "
                "(target >= 1: %s)\n",
        fBestCurl, fBestFerrodock, fBestCurl / fBestFerrodock,
        fBestCurl / fBestFerrodock >= 1 ? "met" : "MISSED");
    std::printf("Ferrodock peak RSS (VmHWM) after the small packages: %.1f MiB\n",
        bench::peakRssKiB(ferrodock.pid()) / 1024.0);
    return 0;
}
