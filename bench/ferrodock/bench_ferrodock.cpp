// Installs a 256 MiB tool package from a loopback HTTP server through Ferrodock, unverified and verified
// against a signed catalog index, and the same package with `curl -o` followed by `tar -x`, in the same
// run. Prints the times, the cost of verifying, the ratios and Ferrodock's peak resident memory. A
// measurement, not a test: it passes or fails nothing.

#include "BenchSupport.h"
#include "CatalogIndex.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QVector>

#include <algorithm>
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

    // The verified rounds: a signed index vouches for the package, as in a catalog built by rwcatalog
    // with a key; Ferrodock then checks the signature and hashes every byte while it arrives.
    const QString strKey = catalog.folder() + QStringLiteral("/bench.key");
    const QString strPub = catalog.folder() + QStringLiteral("/bench.pub");
    QString strPublicKey;
    {
        QProcess minisign;
        minisign.start(QStringLiteral("minisign"), {"-G", "-W", "-p", strPub, "-s", strKey});
        QFile package(strPackage);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (!minisign.waitForFinished(30000) || minisign.exitCode() != 0 || !package.open(QIODevice::ReadOnly)
            || !hash.addData(&package)) {
            std::printf("minisign is needed for the verified rounds\n");
            return 1;
        }
        gearbay::protocol::CatalogIndex index;
        index.setSerial(1);
        index.setExpires(QDateTime::currentDateTimeUtc().addDays(1));
        index.addFile(QStringLiteral("tools/bigtool.tar.gz"), package.size(), hash.result());
        QFile file(catalog.folder() + QStringLiteral("/catalog.index"));
        if (!file.open(QIODevice::WriteOnly) || file.write(index.toText()) < 0)
            return 1;
        file.close();
        minisign.start(QStringLiteral("minisign"), {"-S", "-s", strKey, "-m", file.fileName()});
        QFile pub(strPub);
        if (!minisign.waitForFinished(30000) || minisign.exitCode() != 0 || !pub.open(QIODevice::ReadOnly))
            return 1;
        strPublicKey = QString::fromLatin1(pub.readAll().split('\n').value(1).trimmed());
    }
    const auto trust = [&](bool bVerified) {
        return program.writeSetup(catalog.baseUrl(), catalog.baseUrl(), 0, QString(),
                                  {{"CatalogPublicKey", bVerified ? strPublicKey : QString()}});
    };

    const QString strReference = catalog.folder() + QStringLiteral("/reference");
    const QString strInstalled = program.downloadPath() + QStringLiteral("/SubTools/bigtool");
    enum Mode { Plain, Verified, Checked };
    const char *const kModeNames[] = {"unverified", "verified (signed index)", "with .sha256"};
    double fBestTool = 1e9;
    double fBest[3] = {1e9, 1e9, 1e9};
    // Plain and verified alternate, so a drifting machine affects both alike; the .sha256 round is last.
    const Mode kRounds[] = {Plain, Verified, Plain, Verified, Plain, Verified, Plain, Verified, Plain, Verified, Checked};
    QVector<double> vectTimes[3];
    int iRound = 0;
    for (const Mode emMode : kRounds) {
        ++iRound;
        QFile::remove(strPackage + QStringLiteral(".sha256"));
        if (emMode == Checked) {
            QFile package(strPackage);
            QCryptographicHash hash(QCryptographicHash::Sha256);
            if (!package.open(QIODevice::ReadOnly) || !hash.addData(&package))
                return 1;
            QFile sum(strPackage + QStringLiteral(".sha256"));
            if (!sum.open(QIODevice::WriteOnly)
                || sum.write(hash.result().toHex() + "  bigtool.tar.gz\n") < 0)
                return 1;
        }
        if (!trust(emMode == Verified))
            return 1;
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
        std::printf("round %d, %s: curl -o + tar -x %.2f s%s (%lld MiB unpacked), Ferrodock %.2f s (%s, %lld "
                    "MiB installed)\n",
            iRound, kModeNames[emMode], fTool, bCurl ? "" : " (FAILED)",
            bench::treeBytes(strReference + QStringLiteral("/out")) >> 20, fFerrodock, qPrintable(strValue),
            bench::treeBytes(strInstalled) >> 20);
        std::fflush(stdout);
        if (bCurl)
            fBestTool = std::min(fBestTool, fTool);
        if (strValue == QLatin1String("200")) {
            fBest[emMode] = std::min(fBest[emMode], fFerrodock);
            vectTimes[emMode].append(fFerrodock);
        }
    }
    const qint64 iPeak = bench::peakRssKiB(ferrodock.pid());
    std::printf("best: curl -o + tar -x %.2f s, Ferrodock unverified %.2f s, speed ratio (curl+tar time / "
                "Ferrodock time) %.2f\n",
        fBestTool, fBest[Plain], fBestTool / fBest[Plain]);
    std::printf("verified against the signed index: Ferrodock %.2f s, cost over unverified %+.1f %% (target: at "
                "most +10 %%), ratio to curl+tar %.2f\n",
        fBest[Verified], (fBest[Verified] / fBest[Plain] - 1.0) * 100.0, fBestTool / fBest[Verified]);
    // On a busy machine single rounds scatter; the medians of the alternating rounds compare more fairly.
    const auto median = [](QVector<double> vect) {
        std::sort(vect.begin(), vect.end());
        return vect.isEmpty() ? 0.0 : vect.at(vect.size() / 2);
    };
    std::printf("medians: unverified %.2f s, verified %.2f s, cost of verifying %+.1f %%\n", median(vectTimes[Plain]),
        median(vectTimes[Verified]), (median(vectTimes[Verified]) / median(vectTimes[Plain]) - 1.0) * 100.0);
    std::printf(
        "with a published .sha256: Ferrodock %.2f s, ratio %.2f\n", fBest[Checked], fBestTool / fBest[Checked]);
    std::printf("Ferrodock peak RSS (VmHWM): %.1f MiB\n", iPeak / 1024.0);
    return 0;
}
