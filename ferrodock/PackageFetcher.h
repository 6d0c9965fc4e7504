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
    enum class Outcome { Ok, NotFound, NetworkError, WriteError, Cancelled };

    // Called with the bytes received and the announced total (0 when unknown).
    using Progress = std::function<void(qint64 iReceived, qint64 iTotal)>;

    explicit PackageFetcher(const std::atomic_bool *pCancel = nullptr);

    // Streams the body into strPath (created or truncated), feeding pHash when given.
    Outcome fetchToFile(const QString &strUrl, const QString &strPath, Sha256Digest *pHash,
                        const Progress &progress);
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
    QString m_strDetail;
};

} // namespace gearbay
