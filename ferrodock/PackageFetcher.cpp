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
    Sha256Digest *pHash = nullptr;
    Progress progress;
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

size_t onData(char *pData, size_t iSize, size_t iCount, void *pUser)
{
    auto *pTransfer = static_cast<PackageFetcher::Transfer *>(pUser);
    const size_t iBytes = iSize * iCount;
    if (!pTransfer->bChecked) {
        // An error page is not a package: judge the status before the first byte is stored.
        pTransfer->bChecked = true;
        if (isHttp(pTransfer->pCurl)) {
            curl_easy_getinfo(pTransfer->pCurl, CURLINFO_RESPONSE_CODE, &pTransfer->iStatus);
            pTransfer->bAccepted = pTransfer->iStatus >= 200 && pTransfer->iStatus < 300;
        }
    }
    if (!pTransfer->bAccepted)
        return 0;
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
        pTransfer->progress(qint64(iNow), qint64(iTotal));
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
                                                    Sha256Digest *pHash, const Progress &progress)
{
    Transfer transfer;
    transfer.iFd = ::open(QFile::encodeName(strPath).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (transfer.iFd < 0) {
        m_strDetail = QStringLiteral("cannot create %1: %2").arg(strPath, QString::fromLocal8Bit(strerror(errno)));
        return Outcome::WriteError;
    }
    transfer.pHash = pHash;
    transfer.progress = progress;
    Outcome outcome = run(strUrl, &transfer, 0);
    if (::close(transfer.iFd) != 0 && outcome == Outcome::Ok) {
        m_strDetail = QStringLiteral("cannot finish %1: %2").arg(strPath, QString::fromLocal8Bit(strerror(errno)));
        outcome = Outcome::WriteError;
    }
    return outcome;
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
    curl_easy_setopt(pCurl, CURLOPT_NOPROXY, "127.0.0.1,localhost,::1");
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
    if (bHttp && !pTransfer->bChecked)
        curl_easy_getinfo(pCurl, CURLINFO_RESPONSE_CODE, &iStatus);
    curl_easy_cleanup(pCurl);

    m_strDetail = QString::fromUtf8(szError[0] ? szError : curl_easy_strerror(code));
    if (bHttp && iStatus != 0 && (iStatus < 200 || iStatus >= 300)) {
        m_strDetail = QStringLiteral("server answered HTTP %1").arg(iStatus);
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
        if (pTransfer->iWriteErrno != 0) {
            m_strDetail = QStringLiteral("cannot save: %1").arg(QString::fromLocal8Bit(strerror(pTransfer->iWriteErrno)));
            return Outcome::WriteError;
        }
        if (pTransfer->bTooLarge)
            m_strDetail = QStringLiteral("answer larger than expected");
        return Outcome::NetworkError;
    default:
        return Outcome::NetworkError;
    }
}

} // namespace gearbay
