#include "Sha256Digest.h"

#ifdef FERRODOCK_HAVE_OPENSSL
#include <openssl/evp.h>
#else
#include <QCryptographicHash>
#endif

namespace gearbay {

#ifdef FERRODOCK_HAVE_OPENSSL
struct Sha256Digest::Impl
{
    EVP_MD_CTX *pContext = EVP_MD_CTX_new();
    bool bOk = pContext && EVP_DigestInit_ex(pContext, EVP_sha256(), nullptr) == 1;
    ~Impl() { EVP_MD_CTX_free(pContext); }
};

Sha256Digest::Sha256Digest()
    : m_pImpl(std::make_unique<Impl>())
{
}

void Sha256Digest::addData(const char *pData, size_t iSize)
{
    if (m_pImpl->bOk)
        m_pImpl->bOk = EVP_DigestUpdate(m_pImpl->pContext, pData, iSize) == 1;
}

QByteArray Sha256Digest::result()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int iLength = 0;
    // A failed digest yields an empty result, which matches no published checksum.
    if (!m_pImpl->bOk || EVP_DigestFinal_ex(m_pImpl->pContext, digest, &iLength) != 1)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char *>(digest), int(iLength));
}
#else
struct Sha256Digest::Impl
{
    QCryptographicHash hash{QCryptographicHash::Sha256};
};

Sha256Digest::Sha256Digest()
    : m_pImpl(std::make_unique<Impl>())
{
}

void Sha256Digest::addData(const char *pData, size_t iSize)
{
    m_pImpl->hash.addData(pData, int(iSize));
}

QByteArray Sha256Digest::result()
{
    return m_pImpl->hash.result();
}
#endif

Sha256Digest::~Sha256Digest() = default;

} // namespace gearbay
