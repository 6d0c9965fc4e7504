#include "BenchSupport.h"

#include "ServerProtocol.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QThread>
#include <algorithm>
#include <archive.h>
#include <archive_entry.h>
#include <curl/curl.h>
#include <httplib.h>

namespace bench {

namespace {

constexpr int kBlockBytes = 1 << 20;

// Fills one block of random bytes after another and hands each to write (false from it stops).
template <typename Write> bool writeRandom(QRandomGenerator &generator, qint64 iBytes, Write write)
{
    QByteArray block(kBlockBytes, Qt::Uninitialized);
    for (qint64 iDone = 0; iDone < iBytes; iDone += block.size()) {
        generator.fillRange(reinterpret_cast<quint32 *>(block.data()), block.size() / 4);
        if (!write(block.constData(), std::min<qint64>(block.size(), iBytes - iDone)))
            return false;
    }
    return true;
}

size_t collect(char *pData, size_t iSize, size_t iCount, void *pUser)
{
    static_cast<QByteArray *>(pUser)->append(pData, int(iSize * iCount));
    return iSize * iCount;
}

} // namespace

bool writePackage(const QString &strPath, const QVector<PackageEntry> &entries, quint32 iSeed, bool bGzip)
{
    archive *pWriter = archive_write_new();
    archive_write_set_format_pax_restricted(pWriter);
    if (bGzip) {
        archive_write_add_filter_gzip(pWriter);
        // Random content does not compress; the fastest level keeps the set-up short.
        archive_write_set_filter_option(pWriter, "gzip", "compression-level", "1");
    }
    bool bOk = archive_write_open_filename(pWriter, QFile::encodeName(strPath).constData()) == ARCHIVE_OK;
    QRandomGenerator generator(iSeed);
    for (const PackageEntry &entry : entries) {
        if (!bOk)
            break;
        archive_entry *pEntry = archive_entry_new();
        archive_entry_set_pathname(pEntry, entry.name.constData());
        archive_entry_set_filetype(pEntry, AE_IFREG);
        archive_entry_set_perm(pEntry, 0755);
        archive_entry_set_size(pEntry, entry.iBytes);
        bOk = archive_write_header(pWriter, pEntry) == ARCHIVE_OK
            && writeRandom(generator, entry.iBytes, [pWriter](const char *pData, qint64 iSize) {
                   return archive_write_data(pWriter, pData, size_t(iSize)) == iSize;
               });
        archive_entry_free(pEntry);
    }
    bOk = archive_write_close(pWriter) == ARCHIVE_OK && bOk;
    archive_write_free(pWriter);
    return bOk;
}

bool writeRandomFile(const QString &strPath, qint64 iBytes, quint32 iSeed)
{
    QFile file(strPath);
    QRandomGenerator generator(iSeed);
    return file.open(QIODevice::WriteOnly)
        && writeRandom(generator, iBytes,
            [&file](const char *pData, qint64 iSize) { return file.write(pData, iSize) == iSize; });
}

qint64 treeBytes(const QString &strRoot)
{
    qint64 iTotal = 0;
    QDirIterator it(strRoot, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        iTotal += it.fileInfo().size();
    }
    return iTotal;
}

double percentile(const std::vector<double> &sorted, double fShare)
{
    return sorted.empty() ? 0 : sorted[std::min(sorted.size() - 1, size_t(fShare * double(sorted.size())))];
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

bool fetchAndUnpack(
    const QString &strUrl, const QString &strArchive, const QString &strOutFolder, int iTimeoutMs)
{
    const auto run = [iTimeoutMs](const QString &strProgram, const QStringList &args) {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(strProgram, args);
        return process.waitForFinished(iTimeoutMs) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
    };
    return QDir().mkpath(strOutFolder)
        && run(QStringLiteral("curl"),
            { QStringLiteral("-s"), QStringLiteral("--noproxy"), QStringLiteral("*"), QStringLiteral("-o"),
                strArchive, strUrl })
        && run(QStringLiteral("tar"),
            { QStringLiteral("-xzf"), strArchive, QStringLiteral("-C"), strOutFolder });
}

// --- catalog --------------------------------------------------------------------------------------

BenchCatalog::BenchCatalog()
    : m_pServer(std::make_unique<CatalogTestServer>(m_folder.path()))
{
}

BenchCatalog::~BenchCatalog()
{
    if (m_pThrottled)
        m_pThrottled->stop();
    if (m_throttledThread.joinable())
        m_throttledThread.join();
}

bool BenchCatalog::start(qint64 iBytesPerSecond)
{
    if (!m_folder.isValid() || !m_program.isValid() || !QDir(folder()).mkpath(QStringLiteral("tools")))
        return false;
    return iBytesPerSecond > 0 ? startThrottled(iBytesPerSecond) : m_pServer->start();
}

bool BenchCatalog::startThrottled(qint64 iBytesPerSecond)
{
    m_pThrottled = std::make_unique<httplib::Server>();
    const QString strRoot = folder();
    m_pThrottled->Get(
        R"(/.*)", [strRoot, iBytesPerSecond](const httplib::Request &request, httplib::Response &response) {
            const QString strPath = QString::fromStdString(request.path);
            auto pFile = std::make_shared<QFile>(strRoot + QDir::cleanPath(strPath));
            if (strPath.contains(QStringLiteral("..")) || !pFile->open(QIODevice::ReadOnly)) {
                response.status = 404;
                return;
            }
            auto pClock = std::make_shared<QElapsedTimer>();
            pClock->start();
            response.set_content_provider(size_t(pFile->size()), "application/octet-stream",
                [pFile, pClock, iBytesPerSecond](size_t iOffset, size_t iLength, httplib::DataSink &sink) {
                    // Ahead of the rate: wait until the bytes sent so far are due.
                    const qint64 iDueMs = qint64(iOffset) * 1000 / iBytesPerSecond;
                    if (iDueMs > pClock->elapsed())
                        QThread::msleep(quint64(iDueMs - pClock->elapsed()));
                    pFile->seek(qint64(iOffset));
                    const QByteArray data = pFile->read(qint64(std::min<size_t>(iLength, 64 * 1024)));
                    return !data.isEmpty() && sink.write(data.constData(), size_t(data.size()));
                });
        });
    m_iThrottledPort = m_pThrottled->bind_to_any_port("127.0.0.1");
    if (m_iThrottledPort <= 0)
        return false;
    m_throttledThread = std::thread([this] { m_pThrottled->listen_after_bind(); });
    return true;
}

QString BenchCatalog::baseUrl() const
{
    return m_pThrottled ? QStringLiteral("http://127.0.0.1:%1").arg(m_iThrottledPort) : m_pServer->baseUrl();
}

QString BenchCatalog::addPackage(
    int iKey, const QString &strName, const QVector<PackageEntry> &entries, quint32 iSeed, bool bGzip)
{
    const QString strPath
        = QStringLiteral("tools/") + strName + (bGzip ? QStringLiteral(".tar.gz") : QStringLiteral(".tar"));
    if (!writePackage(folder() + QLatin1Char('/') + strPath, entries, iSeed, bGzip))
        return QString();
    m_vectTools.append({ iKey, strName, strPath, strPath });
    return baseUrl() + QLatin1Char('/') + strPath;
}

QStringList BenchCatalog::addPackages(int iCount, const QString &strPattern, qint64 iBytes, bool bGzip)
{
    QStringList strUrls;
    for (int i = 0; i < iCount; ++i) {
        const QString strName = strPattern.arg(i);
        strUrls.append(addPackage(i + 2, strName, { { strName.toLatin1(), iBytes } }, quint32(i), bGzip));
        if (strUrls.last().isEmpty())
            return QStringList();
    }
    return strUrls;
}

bool BenchCatalog::publish()
{
    return m_program.writeSetup(baseUrl(), baseUrl()) && m_program.writeCatalog(m_vectTools);
}

// --- Ferrodock ------------------------------------------------------------------------------------

FerrodockRun::~FerrodockRun()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

QString FerrodockRun::builtExecutable()
{
    return QStringLiteral(RW_FERRODOCK_PATH);
}

bool FerrodockRun::start(TempProgramFolder &program, bool bForwardOutput)
{
    const QString strFerrodock = program.installExecutable(builtExecutable());
    if (strFerrodock.isEmpty())
        return false;
    // Free when asked; Ferrodock takes it a moment later, which on loopback is safe enough for a bench.
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return false;
    m_iPort = probe.serverPort();
    probe.close();
    if (bForwardOutput)
        m_process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(strFerrodock, { QString::number(m_iPort) });
    if (!m_process.waitForStarted(10000))
        return false;
    const QString strAnyUrl = QStringLiteral("http://127.0.0.1:9/nothing.tar.gz");
    for (int i = 0; i < 200; ++i) {
        if (!ask(4, { strAnyUrl }).isEmpty())
            return true;
        QThread::msleep(50);
    }
    return false;
}

QMap<QString, QString> FerrodockRun::ask(int iMethod, const QStringList &strUrls)
{
    const QByteArray body = gearbay::protocol::requestBody(iMethod, strUrls);
    const QByteArray url = QStringLiteral("http://127.0.0.1:%1%2")
                               .arg(m_iPort)
                               .arg(gearbay::protocol::methodPath(iMethod))
                               .toUtf8();
    QByteArray reply;
    // A connection of its own each time: an idle kept-alive one would hold one of Ferrodock's workers.
    CURL *pCurl = curl_easy_init();
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
    const CURLcode code = curl_easy_perform(pCurl);
    curl_easy_cleanup(pCurl);
    if (code == CURLE_OK && gearbay::protocol::parseResponse(reply, &iAnswered, &values, &strError)) {
        for (const auto &value : values)
            answers.insert(value.first, value.second);
    }
    return answers;
}

} // namespace bench
