// Fifty small tool packages (100 KiB each) installed through Ferrodock at once, against fifty
// `curl -o` + `tar -x` runs one after the other, in the same run. Prints both times, the ratio and
// Ferrodock's peak resident memory. A measurement, not a test.

#include "CatalogTestServer.h"
#include "ServerProtocol.h"
#include "TempProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
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

constexpr int kPackages = 50;
constexpr int kPackageBytes = 100 * 1024;

bool writePackage(const QString &strPath, const QByteArray &name, quint32 iSeed)
{
    archive *pWriter = archive_write_new();
    archive_write_set_format_pax_restricted(pWriter);
    archive_write_add_filter_gzip(pWriter);
    if (archive_write_open_filename(pWriter, QFile::encodeName(strPath).constData()) != ARCHIVE_OK)
        return false;
    QByteArray data(kPackageBytes, Qt::Uninitialized);
    QRandomGenerator(iSeed).fillRange(reinterpret_cast<quint32 *>(data.data()), kPackageBytes / 4);
    archive_entry *pEntry = archive_entry_new();
    archive_entry_set_pathname(pEntry, name.constData());
    archive_entry_set_filetype(pEntry, AE_IFREG);
    archive_entry_set_perm(pEntry, 0755);
    archive_entry_set_size(pEntry, kPackageBytes);
    archive_write_header(pWriter, pEntry);
    archive_write_data(pWriter, data.constData(), size_t(kPackageBytes));
    archive_entry_free(pEntry);
    const bool bOk = archive_write_close(pWriter) == ARCHIVE_OK;
    archive_write_free(pWriter);
    return bOk;
}

size_t collect(char *pData, size_t iSize, size_t iCount, void *pUser)
{
    static_cast<QByteArray *>(pUser)->append(pData, int(iSize * iCount));
    return iSize * iCount;
}

// One request naming every URL, as the program's pages batch them; the answers by URL.
QMap<QString, QString> ask(CURL *pCurl, int iPort, int iMethod, const QStringList &strUrls)
{
    const QByteArray body = gearbay::protocol::requestBody(iMethod, strUrls);
    const QByteArray url = QStringLiteral("http://127.0.0.1:%1%2").arg(iPort).arg(gearbay::protocol::methodPath(iMethod)).toUtf8();
    QByteArray reply;
    curl_easy_setopt(pCurl, CURLOPT_URL, url.constData());
    curl_easy_setopt(pCurl, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(pCurl, CURLOPT_POSTFIELDSIZE, long(body.size()));
    curl_easy_setopt(pCurl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(pCurl, CURLOPT_TIMEOUT, 10L);
    curl_easy_setopt(pCurl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(pCurl, CURLOPT_WRITEDATA, &reply);
    QMap<QString, QString> answers;
    int iAnswered = 0;
    QVector<gearbay::protocol::UrlValue> values;
    QString strError;
    if (curl_easy_perform(pCurl) == CURLE_OK && gearbay::protocol::parseResponse(reply, &iAnswered, &values, &strError)) {
        for (const auto &value : values)
            answers.insert(value.first, value.second);
    }
    return answers;
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
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    curl_global_init(CURL_GLOBAL_DEFAULT);
    QTemporaryDir catalogDir;
    TempProgramFolder program;
    QDir(catalogDir.path()).mkpath(QStringLiteral("tools"));
    CatalogTestServer catalog(catalogDir.path());
    if (!catalog.start())
        return 1;
    QVector<TempProgramFolder::Tool> tools;
    QStringList strUrls;
    for (int i = 0; i < kPackages; ++i) {
        const QString strName = QStringLiteral("small%1").arg(i);
        const QString strPath = QStringLiteral("tools/%1.tar.gz").arg(strName);
        if (!writePackage(catalogDir.path() + QLatin1Char('/') + strPath, strName.toLatin1(), quint32(i)))
            return 1;
        tools.append({i + 2, strName, strPath, strPath});
        strUrls.append(catalog.baseUrl() + QLatin1Char('/') + strPath);
    }
    program.writeSetup(catalog.baseUrl(), catalog.baseUrl());
    program.writeCatalog(tools);
    const QString strFerrodock = program.installExecutable(QStringLiteral(RW_FERRODOCK_PATH));

    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int iPort = probe.serverPort();
    probe.close();
    QProcess ferrodock;
    ferrodock.setStandardErrorFile(QProcess::nullDevice());
    ferrodock.start(strFerrodock, {QString::number(iPort)});
    if (!ferrodock.waitForStarted(10000))
        return 1;
    CURL *pCurl = curl_easy_init();
    for (int i = 0; i < 200 && ask(pCurl, iPort, 4, {strUrls.first()}).isEmpty(); ++i)
        QThread::msleep(50);

    const QString strReference = catalogDir.path() + QStringLiteral("/reference");
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
            QDir().mkpath(strOut);
            bCurl = run(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("--noproxy"), QStringLiteral("*"),
                                                 QStringLiteral("-o"), strOut + QStringLiteral(".tar.gz"), strUrls.at(i)})
                    && run(QStringLiteral("tar"), {QStringLiteral("-xzf"), strOut + QStringLiteral(".tar.gz"),
                                                   QStringLiteral("-C"), strOut});
        }
        const double fCurl = timer.nsecsElapsed() / 1e9;

        QDir(program.downloadPath() + QStringLiteral("/SubTools")).removeRecursively();
        timer.restart();
        ask(pCurl, iPort, 3, strUrls);
        int iDone = 0;
        int iFailed = 0;
        while (timer.elapsed() < 120000) {
            const QMap<QString, QString> answers = ask(pCurl, iPort, 4, strUrls);
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
        std::printf("round %d: %d x (curl -o + tar -x) one after another %.2f s%s; Ferrodock all at once %.2f s (%d installed, %d failed)\n",
                    iRound, kPackages, fCurl, bCurl ? "" : " (FAILED)", fFerrodock, iDone, iFailed);
        std::fflush(stdout);
        if (bCurl)
            fBestCurl = std::min(fBestCurl, fCurl);
        if (iDone == kPackages)
            fBestFerrodock = std::min(fBestFerrodock, fFerrodock);
    }
    std::printf("best: sequential curl+tar %.2f s, Ferrodock %.2f s, speed ratio (curl+tar time / Ferrodock time) %.2f "
                "(target >= 1: %s)\n",
                fBestCurl, fBestFerrodock, fBestCurl / fBestFerrodock, fBestCurl / fBestFerrodock >= 1 ? "met" : "MISSED");
    std::printf("Ferrodock peak RSS (VmHWM) after the small packages: %.1f MiB\n", peakRssKiB(ferrodock.processId()) / 1024.0);
    curl_easy_cleanup(pCurl);
    ferrodock.kill();
    ferrodock.waitForFinished(5000);
    catalog.stop();
    curl_global_cleanup();
    return 0;
}
