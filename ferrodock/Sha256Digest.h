#pragma once

#include <QByteArray>

#include <memory>

namespace gearbay {

// SHA-256 over a stream of chunks. Uses OpenSSL's hardware-assisted code when the build found it
// (several times faster than Qt's on a 256 MiB package), Qt's otherwise.
class Sha256Digest
{
public:
    Sha256Digest();
    ~Sha256Digest();

    void addData(const char *pData, size_t iSize);
    // The 32-byte digest; call once, after the last addData.
    QByteArray result();

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};

} // namespace gearbay
