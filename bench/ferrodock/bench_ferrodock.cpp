// Installs a 256 MiB tool package from a loopback HTTP server through Ferrodock, and the same package
// with `curl -o` followed by `tar -x`, in the same run. Prints both times, their ratio and Ferrodock's
// peak resident memory. A measurement, not a test: it passes or fails nothing.

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>

constexpr qint64 kPackageBytes = 256LL << 20;
constexpr int kFiles = 16;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::printf("Writing a %lld MiB package...\n", kPackageBytes >> 20);
    std::fflush(stdout);
    QVector<bench::PackageEntry> entries;
    for (int i = 0; i < kFiles; ++i)
        entries.append(
            { i == 0 ? QByteArray("bigtool") : "data/part" + QByteArray::number(i), kPackageBytes / kFiles });
    bench::BenchCatalog catalog;
    const QString strUrl
        = catalog.start() ? catalog.addPackage(2, QStringLiteral("bigtool"), entries, 2026, true) : QString();
    if (strUrl.isEmpty() || !catalog.publish())
        return 1;
    const QString strPackage = catalog.folder() + QStringLiteral("/tools/bigtool.tar.gz");
    TempProgramFolder &program = catalog.program();
    bench::FerrodockRun ferrodock;
    if (!ferrodock.start(program, true))
        return 1;
    const auto ask = [&ferrodock, &strUrl](int iMethod) {
        return ferrodock.ask(iMethod, { strUrl }).value(strUrl, QStringLiteral("none"));
    };

    const QString strReference = catalog.folder() + QStringLiteral("/reference");
    const QString strInstalled = program.downloadPath() + QStringLiteral("/SubTools/bigtool");
    double fBestTool = 1e9;
    double fBestFerrodock = 1e9;
    double fBestChecked = 1e9;
    for (int iRound = 1; iRound <= 4; ++iRound) {
        // The last round publishes a checksum, as catalogs built by rwcatalog do: Ferrodock then
        // verifies every byte it installs, which curl and tar do not.
        const bool bChecked = iRound == 4;
        if (bChecked) {
            QFile package(strPackage);
            QCryptographicHash hash(QCryptographicHash::Sha256);
            if (!package.open(QIODevice::ReadOnly) || !hash.addData(&package))
                return 1;
            QFile sum(strPackage + QStringLiteral(".sha256"));
            if (!sum.open(QIODevice::WriteOnly)
                || sum.write(hash.result().toHex() + "  bigtool.tar.gz\n") < 0)
                return 1;
        }
        QDir(strReference).removeRecursively();
        QElapsedTimer timer;
        timer.start();
        const bool bCurl = bench::fetchAndUnpack(strUrl, strReference + QStringLiteral("/pkg.tar.gz"),
            strReference + QStringLiteral("/out"), 600000);
        const double fTool = timer.nsecsElapsed() / 1e9;

        QDir(strInstalled).removeRecursively();
        timer.restart();
        QString strValue = ask(3);
        while (strValue != QLatin1String("200") && timer.elapsed() < 600000) {
            bool bNumber = false;
            const int iValue = strValue.toInt(&bNumber);
            if (!bNumber || iValue < 0 || iValue > 100)
                break;
            QThread::msleep(20);
            strValue = ask(4);
        }
        const double fFerrodock = timer.nsecsElapsed() / 1e9;
        std::printf("round %d%s: curl -o + tar -x %.2f s%s (%lld MiB unpacked), Ferrodock %.2f s (%s, %lld "
                    "MiB installed)\n",
            iRound, bChecked ? " (with .sha256)" : "", fTool, bCurl ? "" : " (FAILED)",
            bench::treeBytes(strReference + QStringLiteral("/out")) >> 20, fFerrodock, qPrintable(strValue),
            bench::treeBytes(strInstalled) >> 20);
        std::fflush(stdout);
        if (bCurl)
            fBestTool = std::min(fBestTool, fTool);
        if (strValue == QLatin1String("200") && bChecked)
            fBestChecked = fFerrodock;
        else if (strValue == QLatin1String("200"))
            fBestFerrodock = std::min(fBestFerrodock, fFerrodock);
    }
    const qint64 iPeak = bench::peakRssKiB(ferrodock.pid());
    std::printf("best: curl -o + tar -x %.2f s, Ferrodock %.2f s, speed ratio (curl+tar time / Ferrodock "
                "time) %.2f\n",
        fBestTool, fBestFerrodock, fBestTool / fBestFerrodock);
    std::printf(
        "with a published .sha256: Ferrodock %.2f s, ratio %.2f\n", fBestChecked, fBestTool / fBestChecked);
    std::printf("Ferrodock peak RSS (VmHWM): %.1f MiB\n", iPeak / 1024.0);
    return 0;
}
