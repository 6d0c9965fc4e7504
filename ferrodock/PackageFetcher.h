#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>

namespace gearbay {

class Sha256Digest;

// Fetches one URL (http, https or file) with libcurl, either streaming into a file or into memory.
// Redirects are not followed: a server may not send us somewhere outside the address we checked.
class PackageFetcher
{
public:
    // NotResumable: the server refused the range asked for, or answered a different one.
    // TooLarge: the body went past the size limit; the transfer was stopped there.
    enum class Outcome { Ok, NotFound, NetworkError, WriteError, Cancelled, NotResumable, TooLarge };

    // Called with the bytes received and the announced total (0 when unknown).
    using Progress = std::function<void(qint64 iReceived, qint64 iTotal)>;

    // Where an interrupted transfer goes on: the bytes already in the file and what the server said of
    // them the first time.
    struct Resume
    {
        qint64 iFrom = 0;   // bytes already stored; 0 starts afresh
        qint64 iTotal = 0;  // full length announced before (0: unknown)
        QByteArray ifRange; // that answer's ETag or Last-Modified, so a changed package is sent whole
    };
    // What the server announced for the body, reported before its first byte is stored.
    struct Announced
    {
        qint64 iFrom = 0; // where the stored bytes start: Resume::iFrom when resumed, 0 when sent whole
        qint64 iTotal = 0;
        QByteArray etag;
        QByteArray lastModified;
    };
    using Started = std::function<void(const Announced &announced)>;

    explicit PackageFetcher(const std::atomic_bool *pCancel = nullptr);

    // Proxy for http(s): empty uses the environment's proxy variables (http_proxy, https_proxy,
    // no_proxy...), "none" connects directly, anything else is the proxy URL. file:// never uses one.
    void setProxy(const QString &strProxy) { m_strProxy = strProxy; }
    // CA bundle that https servers are checked against; empty uses the system store.
    void setCaFile(const QString &strCaFile) { m_strCaFile = strCaFile; }
    // A file transfer whose whole body (stored bytes included) would pass this many bytes ends as
    // TooLarge the moment it does; 0 sets no limit.
    void setSizeLimit(qint64 iBytes) { m_iSizeLimit = iBytes; }

    // Streams the body into strPath, feeding pHash when given. With resume.iFrom > 0 (http and https)
    // it asks for the rest only: a server that resumes gets its bytes appended (pHash first fed the
    // stored ones), one that sends everything restarts the file from its first byte.
    Outcome fetchToFile(const QString &strUrl, const QString &strPath, Sha256Digest *pHash,
                        const Progress &progress, const Resume &resume, const Started &started);
    // Streams the whole body into strPath (created or truncated).
    Outcome fetchToFile(const QString &strUrl, const QString &strPath, Sha256Digest *pHash, const Progress &progress);
    // Reads a small body; more than iMaxBytes counts as a network failure.
    Outcome fetchToMemory(const QString &strUrl, qint64 iMaxBytes, QByteArray *pBody, long iTimeoutSeconds);

    QString lastDetail() const { return m_strDetail; }

    // A transfer slower than one byte a second for this long counts as broken; FERRODOCK_STALL_SECONDS
    // overrides the default of 30 s.
    static long stallSeconds();

    struct Transfer; // one transfer's state, shared with the libcurl callbacks

private:
    Outcome run(const QString &strUrl, Transfer *pTransfer, long iTimeoutSeconds);

    const std::atomic_bool *m_pCancel;
    QString m_strProxy;
    QString m_strCaFile;
    qint64 m_iSizeLimit = 0;
    QString m_strDetail;
};

} // namespace gearbay
