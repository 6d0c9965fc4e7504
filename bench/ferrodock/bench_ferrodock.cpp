// Installs a 256 MiB tool package from a loopback HTTP server through Ferrodock, and the same package
// with `curl -o` followed by `tar -x`, in the same run. Prints both times, their ratio and Ferrodock's
// peak resident memory. A measurement, not a test: it passes or fails nothing.

#include "CatalogTestServer.h"
#include "ServerProtocol.h"
#include "TempProgramFolder.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <archive.h>
#include <archive_entry.h>
#include <cstdio>
#include <curl/curl.h>

namespace {

constexpr qint64 kPackageBytes = 256LL << 20;
constexpr int kFiles = 16;

bool writePackage(const QString &strPath)
{
    archive *pWriter = archive_write_new();
    archive_write_set_format_pax_restricted(pWriter);
    archive_write_add_filter_gzip(pWriter);
    // Random content does not compress; the fastest level keeps the set-up short.
    archive_write_set_filter_option(pWriter, "gzip", "compression-level", "1");
    if (archive_write_open_filename(pWriter, QFile::encodeName(strPath).constData()) != ARCHIVE_OK)
        return false;
    QRandomGenerator generator(2026);
    QByteArray block(1 << 20, Qt::Uninitialized);
    const qint64 iPerFile = kPackageBytes / kFiles;
    for (int i = 0; i < kFiles; ++i) {
        archive_entry *pEntry = archive_entry_new();
        const QByteArray name = i == 0 ? QByteArray("bigtool") : QByteArray("data/part") + QByteArray::number(i);
        archive_entry_set_pathname(pEntry, name.constData());
        archive_entry_set_filetype(pEntry, AE_IFREG);
        archive_entry_set_perm(pEntry, 0755);
        archive_entry_set_size(pEntry, iPerFile);
        archive_write_header(pWriter, pEntry);
        for (qint64 iDone = 0; iDone < iPerFile; iDone += block.size()) {
            generator.fillRange(reinterpret_cast<quint32 *>(block.data()), block.size() / 4);
            archive_write_data(pWriter, block.constData(), size_t(block.size()));
        }
        archive_entry_free(pEntry);
    }
    const bool bOk = archive_write_close(pWriter) == ARCHIVE_OK;
    archive_write_free(pWriter);
    return bOk;
}

size_t collect(char *pData, size_t iSize, size_t iCount, void *pUser)
{
    static_cast<QByteArray *>(pUser)->append(pData, int(iSize * iCount));
    return iSize * iCount;
}

QString ask(int iPort, int iMethod, const QString &strUrl)
{
    const QByteArray body = gearbay::protocol::requestBody(iMethod, {strUrl});
    const QByteArray url = QStringLiteral("http://127.0.0.1:%1%2").arg(iPort).arg(gearbay::protocol::methodPath(iMethod)).toUtf8();
    QByteArray reply;
    CURL *pCurl = curl_easy_init();
    curl_easy_setopt(pCurl, CURLOPT_URL, url.constData());
    curl_easy_setopt(pCurl, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(pCurl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(pCurl, CURLOPT_TIMEOUT, 10L);
    curl_easy_setopt(pCurl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(pCurl, CURLOPT_WRITEDATA, &reply);
    const CURLcode code = curl_easy_perform(pCurl);
    curl_easy_cleanup(pCurl);
    int iAnswered = 0;
    QVector<gearbay::protocol::UrlValue> values;
    QString strError;
    if (code != CURLE_OK || !gearbay::protocol::parseResponse(reply, &iAnswered, &values, &strError) || values.isEmpty())
        return QStringLiteral("none");
    return values.first().second;
}

qint64 treeBytes(const QString &strRoot)
{
    qint64 iTotal = 0;
    QDirIterator it(strRoot, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        iTotal += it.fileInfo().size();
    }
    return iTotal;
}

qint64 peakRssKiB(qint64 iPid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(iPid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

bool run(const QString &strProgram, const QStringList &args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(strProgram, args);
    return process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    curl_global_init(CURL_GLOBAL_DEFAULT);
    QTemporaryDir catalogDir;
    TempProgramFolder program;
    QDir(catalogDir.path()).mkpath(QStringLiteral("tools"));
    std::printf("Writing a %lld MiB package...\n", kPackageBytes >> 20);
    std::fflush(stdout);
    if (!writePackage(catalogDir.path() + QStringLiteral("/tools/bigtool.tar.gz")))
        return 1;
    CatalogTestServer catalog(catalogDir.path());
    if (!catalog.start())
        return 1;
    const QString strUrl = catalog.baseUrl() + QStringLiteral("/tools/bigtool.tar.gz");
    program.writeSetup(catalog.baseUrl(), catalog.baseUrl());
    program.writeCatalog({{2, QStringLiteral("bigtool"), QStringLiteral("tools/bigtool.tar.gz"), QStringLiteral("tools/bigtool.tar.gz")}});
    const QString strFerrodock = program.installExecutable(QStringLiteral(RW_FERRODOCK_PATH));

    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int iPort = probe.serverPort();
    probe.close();
    QProcess ferrodock;
    ferrodock.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    ferrodock.setStandardErrorFile(QProcess::nullDevice());
    ferrodock.start(strFerrodock, {QString::number(iPort)});
    if (!ferrodock.waitForStarted(10000))
        return 1;
    for (int i = 0; i < 200 && ask(iPort, 4, strUrl) == QLatin1String("none"); ++i)
        QThread::msleep(50);

    const QString strReference = catalogDir.path() + QStringLiteral("/reference");
    const QString strInstalled = program.downloadPath() + QStringLiteral("/SubTools/bigtool");
    double fBestTool = 1e9;
    double fBestFerrodock = 1e9;
    double fBestChecked = 1e9;
    for (int iRound = 1; iRound <= 4; ++iRound) {
        // The last round publishes a checksum, as catalogs built by rwcatalog do: Ferrodock then
        // verifies every byte it installs, which curl and tar do not.
        const bool bChecked = iRound == 4;
        if (bChecked) {
            const QString strPackage = catalogDir.path() + QStringLiteral("/tools/bigtool.tar.gz");
            QFile package(strPackage);
            QCryptographicHash hash(QCryptographicHash::Sha256);
            if (!package.open(QIODevice::ReadOnly) || !hash.addData(&package))
                return 1;
            QFile sum(strPackage + QStringLiteral(".sha256"));
            if (!sum.open(QIODevice::WriteOnly) || sum.write(hash.result().toHex() + "  bigtool.tar.gz\n") < 0)
                return 1;
        }
        QDir(strReference).removeRecursively();
        QDir().mkpath(strReference + QStringLiteral("/out"));
        QElapsedTimer timer;
        timer.start();
        const bool bCurl = run(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("--noproxy"), QStringLiteral("*"),
                                                        QStringLiteral("-o"), strReference + QStringLiteral("/pkg.tar.gz"), strUrl})
                           && run(QStringLiteral("tar"), {QStringLiteral("-xzf"), strReference + QStringLiteral("/pkg.tar.gz"),
                                                          QStringLiteral("-C"), strReference + QStringLiteral("/out")});
        const double fTool = timer.nsecsElapsed() / 1e9;

        QDir(strInstalled).removeRecursively();
        timer.restart();
        QString strValue = ask(iPort, 3, strUrl);
        while (strValue != QLatin1String("200") && timer.elapsed() < 600000) {
            bool bNumber = false;
            const int iValue = strValue.toInt(&bNumber);
            if (!bNumber || iValue < 0 || iValue > 100)
                break;
            QThread::msleep(20);
            strValue = ask(iPort, 4, strUrl);
        }
        const double fFerrodock = timer.nsecsElapsed() / 1e9;
        std::printf("round %d%s: curl -o + tar -x %.2f s%s (%lld MiB unpacked), Ferrodock %.2f s (%s, %lld MiB installed)\n",
                    iRound, bChecked ? " (with .sha256)" : "", fTool, bCurl ? "" : " (FAILED)", treeBytes(strReference + QStringLiteral("/out")) >> 20,
                    fFerrodock, qPrintable(strValue), treeBytes(strInstalled) >> 20);
        std::fflush(stdout);
        if (bCurl)
            fBestTool = std::min(fBestTool, fTool);
        if (strValue == QLatin1String("200") && bChecked)
            fBestChecked = fFerrodock;
        else if (strValue == QLatin1String("200"))
            fBestFerrodock = std::min(fBestFerrodock, fFerrodock);
    }
    const qint64 iPeak = peakRssKiB(ferrodock.processId());
    std::printf("best: curl -o + tar -x %.2f s, Ferrodock %.2f s, speed ratio (curl+tar time / Ferrodock time) %.2f\n",
                fBestTool, fBestFerrodock, fBestTool / fBestFerrodock);
    std::printf("with a published .sha256: Ferrodock %.2f s, ratio %.2f\n", fBestChecked, fBestTool / fBestChecked);
    std::printf("Ferrodock peak RSS (VmHWM): %.1f MiB\n", iPeak / 1024.0);
    ferrodock.kill();
    ferrodock.waitForFinished(5000);
    catalog.stop();
    curl_global_cleanup();
    return 0;
}
