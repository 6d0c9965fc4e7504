#include "PackageFetcher.h"

#include "Sha256Digest.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <curl/curl.h>
#include <fcntl.h>
#include <unistd.h>

namespace gearbay {

struct PackageFetcher::Transfer
{
    CURL *pCurl = nullptr;
    const std::atomic_bool *pCancel = nullptr;
    int iFd = -1;
    QByteArray *pMemory = nullptr;
    qint64 iMaxBytes = 0;
    qint64 iLimit = 0;    // whole-body size limit of a file transfer, 0: none
    qint64 iWritten = 0;  // bytes of this transfer stored so far
    Sha256Digest *pHash = nullptr;
    Progress progress;
    PackageFetcher::Resume resume;
    PackageFetcher::Started started;
    qint64 iBase = 0; // bytes of the file before this transfer's first one
    QByteArray etag;
    QByteArray lastModified;
    QByteArray contentRange;
    bool bNotResumable = false;
    bool bChecked = false;
    bool bAccepted = true;
    long iStatus = 0;
    int iWriteErrno = 0;
    bool bTooLarge = false;
};

namespace {

bool isHttp(CURL *pCurl)
{
    const char *pScheme = nullptr;
    curl_easy_getinfo(pCurl, CURLINFO_SCHEME, &pScheme);
    return pScheme && (strcasecmp(pScheme, "http") == 0 || strcasecmp(pScheme, "https") == 0);
}

size_t onHeader(char *pData, size_t iSize, size_t iCount, void *pUser)
{
    auto *pTransfer = static_cast<PackageFetcher::Transfer *>(pUser);
    const size_t iBytes = iSize * iCount;
    const QByteArray line = QByteArray(pData, int(iBytes)).trimmed();
    if (line.startsWith("HTTP/")) {
        // A new answer (after an interim one) brings its own headers.
        pTransfer->etag.clear();
        pTransfer->lastModified.clear();
        pTransfer->contentRange.clear();
        return iBytes;
    }
    const int iColon = line.indexOf(':');
    if (iColon <= 0)
        return iBytes;
    const QByteArray name = line.left(iColon).trimmed().toLower();
    const QByteArray value = line.mid(iColon + 1).trimmed();
    if (name == "etag")
        pTransfer->etag = value;
    else if (name == "last-modified")
        pTransfer->lastModified = value;
    else if (name == "content-range")
        pTransfer->contentRange = value;
    return iBytes;
}

// "bytes <first>-<last>/<total>" with a total of "*" when unknown (answered as 0).
bool parseContentRange(const QByteArray &value, qint64 *pFirst, qint64 *pTotal)
{
    if (!value.startsWith("bytes "))
        return false;
    const QByteArray rest = value.mid(6).trimmed();
    const int iDash = rest.indexOf('-');
    const int iSlash = rest.indexOf('/');
    if (iDash <= 0 || iSlash <= iDash)
        return false;
    bool bFirst = false;
    bool bTotal = true;
    *pFirst = rest.left(iDash).toLongLong(&bFirst);
    const QByteArray total = rest.mid(iSlash + 1);
    *pTotal = total == "*" ? 0 : total.toLongLong(&bTotal);
    return bFirst && bTotal;
}

// Hashes the bytes already in the file, so a resumed transfer is verified as a whole.
bool hashStored(int iFd, qint64 iLength, Sha256Digest *pHash)
{
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qint64 iOffset = 0;
    while (iOffset < iLength) {
        const ssize_t iRead = ::pread(iFd, buffer.data(), size_t(qMin<qint64>(buffer.size(), iLength - iOffset)), iOffset);
        if (iRead < 0 && errno == EINTR)
            continue;
        if (iRead <= 0)
            return false;
        pHash->addData(buffer.constData(), size_t(iRead));
        iOffset += iRead;
    }
    return true;
}

// Judges the answer before its first byte is stored: an error page is not a package, and a resumed
// body must continue exactly where the file ends.
bool acceptAnswer(PackageFetcher::Transfer *pTransfer)
{
    PackageFetcher::Announced announced;
    if (isHttp(pTransfer->pCurl)) {
        curl_easy_getinfo(pTransfer->pCurl, CURLINFO_RESPONSE_CODE, &pTransfer->iStatus);
        if (pTransfer->iStatus < 200 || pTransfer->iStatus >= 300)
            return false;
        curl_off_t iLength = -1;
        curl_easy_getinfo(pTransfer->pCurl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &iLength);
        announced.iTotal = iLength > 0 ? qint64(iLength) : 0;
        announced.etag = pTransfer->etag;
        announced.lastModified = pTransfer->lastModified;
        if (pTransfer->iStatus == 206) {
            qint64 iFirst = 0;
            qint64 iTotal = 0;
            const qint64 iFrom = pTransfer->resume.iFrom;
            if (iFrom <= 0 || !parseContentRange(pTransfer->contentRange, &iFirst, &iTotal) || iFirst != iFrom
                || (pTransfer->resume.iTotal > 0 && iTotal > 0 && iTotal != pTransfer->resume.iTotal)) {
                pTransfer->bNotResumable = true;
                return false;
            }
            if (pTransfer->pHash && !hashStored(pTransfer->iFd, iFrom, pTransfer->pHash)) {
                pTransfer->iWriteErrno = errno ? errno : EIO;
                return false;
            }
            announced.iFrom = iFrom;
            announced.iTotal = iTotal > 0 ? iTotal : (announced.iTotal > 0 ? announced.iTotal + iFrom : 0);
        }
    }
    // Whole body: whatever the file held before is replaced. Resumed: append after the stored bytes.
    if (pTransfer->iFd >= 0) {
        if (::ftruncate(pTransfer->iFd, announced.iFrom) != 0
            || ::lseek(pTransfer->iFd, announced.iFrom, SEEK_SET) != announced.iFrom) {
            pTransfer->iWriteErrno = errno;
            return false;
        }
    }
    pTransfer->iBase = announced.iFrom;
    // An announced length past the limit is refused before a byte of it is stored.
    if (pTransfer->iLimit > 0 && announced.iTotal > pTransfer->iLimit) {
        pTransfer->bTooLarge = true;
        return false;
    }
    if (pTransfer->started)
        pTransfer->started(announced);
    return true;
}

size_t onData(char *pData, size_t iSize, size_t iCount, void *pUser)
{
    auto *pTransfer = static_cast<PackageFetcher::Transfer *>(pUser);
    const size_t iBytes = iSize * iCount;
    if (!pTransfer->bChecked) {
        pTransfer->bChecked = true;
        pTransfer->bAccepted = acceptAnswer(pTransfer);
    }
    if (!pTransfer->bAccepted)
        return 0;
    if (pTransfer->iLimit > 0 && pTransfer->iBase + pTransfer->iWritten + qint64(iBytes) > pTransfer->iLimit) {
        pTransfer->bTooLarge = true;
        return 0;
    }
    pTransfer->iWritten += qint64(iBytes);
    if (pTransfer->pHash)
        pTransfer->pHash->addData(pData, iBytes);
    if (pTransfer->pMemory) {
        if (pTransfer->pMemory->size() + qint64(iBytes) > pTransfer->iMaxBytes) {
            pTransfer->bTooLarge = true;
            return 0;
        }
        pTransfer->pMemory->append(pData, int(iBytes));
        return iBytes;
    }
    size_t iDone = 0;
    while (iDone < iBytes) {
        const ssize_t iWritten = ::write(pTransfer->iFd, pData + iDone, iBytes - iDone);
        if (iWritten < 0) {
            if (errno == EINTR)
                continue;
            pTransfer->iWriteErrno = errno;
            return 0;
        }
        iDone += size_t(iWritten);
    }
    return iBytes;
}

int onProgress(void *pUser, curl_off_t iTotal, curl_off_t iNow, curl_off_t, curl_off_t)
{
    auto *pTransfer = static_cast<PackageFetcher::Transfer *>(pUser);
    if (pTransfer->pCancel && pTransfer->pCancel->load())
        return 1;
    if (pTransfer->progress)
        pTransfer->progress(pTransfer->iBase + qint64(iNow), iTotal > 0 ? pTransfer->iBase + qint64(iTotal) : 0);
    return 0;
}

} // namespace

PackageFetcher::PackageFetcher(const std::atomic_bool *pCancel)
    : m_pCancel(pCancel)
{
}

long PackageFetcher::stallSeconds()
{
    bool bOk = false;
    const long iSeconds = qEnvironmentVariableIntValue("FERRODOCK_STALL_SECONDS", &bOk);
    return bOk && iSeconds > 0 ? iSeconds : 30;
}

PackageFetcher::Outcome PackageFetcher::fetchToFile(const QString &strUrl, const QString &strPath,
                                                    Sha256Digest *pHash, const Progress &progress,
                                                    const Resume &resume, const Started &started)
{
    Transfer transfer;
    transfer.resume = resume;
    transfer.started = started;
    // Only a resumed transfer reads the file back (to hash what is stored).
    const int iFlags = resume.iFrom > 0 ? O_RDWR | O_CREAT | O_CLOEXEC : O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    transfer.iFd = ::open(QFile::encodeName(strPath).constData(), iFlags, 0644);
    if (transfer.iFd < 0) {
        m_strDetail = QStringLiteral("cannot create %1: %2").arg(strPath, QString::fromLocal8Bit(strerror(errno)));
        return Outcome::WriteError;
    }
    transfer.pHash = pHash;
    transfer.progress = progress;
    transfer.iLimit = m_iSizeLimit;
    Outcome outcome = run(strUrl, &transfer, 0);
    // An answer without a body never reached the checks: an empty whole package clears what an earlier
    // attempt stored, an empty "rest" (some servers answer so past the end) does not fit the kept bytes.
    if (outcome == Outcome::Ok && !transfer.bChecked && resume.iFrom > 0) {
        if (transfer.iStatus == 206) {
            m_strDetail = QStringLiteral("server answered an empty range");
            outcome = Outcome::NotResumable;
        } else if (::ftruncate(transfer.iFd, 0) != 0) {
            outcome = Outcome::WriteError;
        }
    }
    if (::close(transfer.iFd) != 0 && outcome == Outcome::Ok) {
        m_strDetail = QStringLiteral("cannot finish %1: %2").arg(strPath, QString::fromLocal8Bit(strerror(errno)));
        outcome = Outcome::WriteError;
    }
    return outcome;
}

PackageFetcher::Outcome PackageFetcher::fetchToFile(const QString &strUrl, const QString &strPath,
                                                    Sha256Digest *pHash, const Progress &progress)
{
    return fetchToFile(strUrl, strPath, pHash, progress, Resume(), Started());
}

PackageFetcher::Outcome PackageFetcher::fetchToMemory(const QString &strUrl, qint64 iMaxBytes, QByteArray *pBody,
                                                      long iTimeoutSeconds)
{
    Transfer transfer;
    pBody->clear();
    transfer.pMemory = pBody;
    transfer.iMaxBytes = iMaxBytes;
    return run(strUrl, &transfer, iTimeoutSeconds);
}

PackageFetcher::Outcome PackageFetcher::run(const QString &strUrl, Transfer *pTransfer, long iTimeoutSeconds)
{
    CURL *pCurl = curl_easy_init();
    if (!pCurl) {
        m_strDetail = QStringLiteral("libcurl could not start a transfer");
        return Outcome::NetworkError;
    }
    pTransfer->pCurl = pCurl;
    pTransfer->pCancel = m_pCancel;
    const QByteArray url = strUrl.toUtf8();
    char szError[CURL_ERROR_SIZE] = {0};
    curl_easy_setopt(pCurl, CURLOPT_URL, url.constData());
    curl_easy_setopt(pCurl, CURLOPT_ERRORBUFFER, szError);
    curl_easy_setopt(pCurl, CURLOPT_PROTOCOLS_STR, "http,https,file");
    curl_easy_setopt(pCurl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(pCurl, CURLOPT_NOSIGNAL, 1L);
    const QByteArray caFile = QFile::encodeName(m_strCaFile);
    if (!caFile.isEmpty())
        curl_easy_setopt(pCurl, CURLOPT_CAINFO, caFile.constData());
    // The proxy setting: empty leaves libcurl to the environment's variables (no_proxy included).
    const QByteArray proxy = m_strProxy.trimmed().toUtf8();
    if (proxy.compare("none", Qt::CaseInsensitive) == 0)
        curl_easy_setopt(pCurl, CURLOPT_PROXY, "");
    else if (!proxy.isEmpty())
        curl_easy_setopt(pCurl, CURLOPT_PROXY, proxy.constData());
    QByteArray range;
    if (pTransfer->resume.iFrom > 0) {
        range = QByteArray::number(pTransfer->resume.iFrom) + '-';
        curl_easy_setopt(pCurl, CURLOPT_RANGE, range.constData());
    }
    curl_slist *pHeaders = nullptr;
    if (pTransfer->resume.iFrom > 0 && !pTransfer->resume.ifRange.isEmpty()) {
        pHeaders = curl_slist_append(pHeaders, ("If-Range: " + pTransfer->resume.ifRange).constData());
        curl_easy_setopt(pCurl, CURLOPT_HTTPHEADER, pHeaders);
    }
    curl_easy_setopt(pCurl, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(pCurl, CURLOPT_HEADERDATA, pTransfer);
    curl_easy_setopt(pCurl, CURLOPT_CONNECTTIMEOUT, 15L);
    curl_easy_setopt(pCurl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(pCurl, CURLOPT_LOW_SPEED_TIME, stallSeconds());
    if (iTimeoutSeconds > 0)
        curl_easy_setopt(pCurl, CURLOPT_TIMEOUT, iTimeoutSeconds);
    // Large reads keep the per-callback overhead small on fast local links.
    curl_easy_setopt(pCurl, CURLOPT_BUFFERSIZE, 512L * 1024L);
    curl_easy_setopt(pCurl, CURLOPT_WRITEFUNCTION, onData);
    curl_easy_setopt(pCurl, CURLOPT_WRITEDATA, pTransfer);
    curl_easy_setopt(pCurl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(pCurl, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(pCurl, CURLOPT_XFERINFODATA, pTransfer);

    const CURLcode code = curl_easy_perform(pCurl);
    const bool bHttp = isHttp(pCurl);
    long iStatus = pTransfer->iStatus;
    if (bHttp && !pTransfer->bChecked) {
        curl_easy_getinfo(pCurl, CURLINFO_RESPONSE_CODE, &iStatus);
        pTransfer->iStatus = iStatus;
    }
    curl_easy_cleanup(pCurl);
    curl_slist_free_all(pHeaders);

    m_strDetail = QString::fromUtf8(szError[0] ? szError : curl_easy_strerror(code));
    if (bHttp && iStatus != 0 && (iStatus < 200 || iStatus >= 300)) {
        m_strDetail = QStringLiteral("server answered HTTP %1").arg(iStatus);
        if (iStatus == 416 && pTransfer->resume.iFrom > 0)
            return Outcome::NotResumable;
        return iStatus == 404 || iStatus == 410 ? Outcome::NotFound : Outcome::NetworkError;
    }
    switch (code) {
    case CURLE_OK:
        return Outcome::Ok;
    case CURLE_ABORTED_BY_CALLBACK:
        return Outcome::Cancelled;
    case CURLE_FILE_COULDNT_READ_FILE:
        return Outcome::NotFound;
    case CURLE_WRITE_ERROR:
        if (pTransfer->bNotResumable) {
            m_strDetail = QStringLiteral("server answered another range than asked for");
            return Outcome::NotResumable;
        }
        if (pTransfer->iWriteErrno != 0) {
            m_strDetail = QStringLiteral("cannot save: %1").arg(QString::fromLocal8Bit(strerror(pTransfer->iWriteErrno)));
            return Outcome::WriteError;
        }
        if (pTransfer->bTooLarge && pTransfer->iLimit > 0) {
            m_strDetail = QStringLiteral("body longer than the %1 bytes listed").arg(pTransfer->iLimit);
            return Outcome::TooLarge;
        }
        if (pTransfer->bTooLarge)
            m_strDetail = QStringLiteral("answer larger than expected");
        return Outcome::NetworkError;
    default:
        return Outcome::NetworkError;
    }
}

} // namespace gearbay
