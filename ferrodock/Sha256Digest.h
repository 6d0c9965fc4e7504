#pragma once

#include <QByteArray>

#include <memory>

namespace gearbay {

// SHA-256 over a stream of chunks. Uses OpenSSL's hardware-assisted code when the build found it
// (several times faster than Qt's on a 256 MiB package), Qt's otherwise. In the background, the chunks
// are hashed on a thread of the digest's own while the caller goes on receiving and writing, so
// verifying a package adds little to the time it takes to arrive.
class Sha256Digest
{
public:
    explicit Sha256Digest(bool bBackground = false);
    ~Sha256Digest();

    void addData(const char *pData, size_t iSize);
    // The 32-byte digest; call once, after the last addData.
    QByteArray result();

private:
    struct Impl;
    struct Worker;
    void hash(const char *pData, size_t iSize);
    QByteArray finish();
    void stopWorker();

    std::unique_ptr<Impl> m_pImpl;
    std::unique_ptr<Worker> m_pWorker;
};

} // namespace gearbay
