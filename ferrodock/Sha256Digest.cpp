#include "Sha256Digest.h"

#ifdef FERRODOCK_HAVE_OPENSSL
#include <openssl/evp.h>
#else
#include <QCryptographicHash>
#endif

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace gearbay {

// Chunks waiting to be hashed; a bounded queue, so a slow hash holds the transfer back instead of
// piling the package up in memory.
struct Sha256Digest::Worker
{
    static constexpr size_t kMaxQueued = 16;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<QByteArray> queue;
    bool bDone = false;
    std::thread thread;
};

#ifdef FERRODOCK_HAVE_OPENSSL
struct Sha256Digest::Impl
{
    EVP_MD_CTX *pContext = EVP_MD_CTX_new();
    bool bOk = pContext && EVP_DigestInit_ex(pContext, EVP_sha256(), nullptr) == 1;
    ~Impl() { EVP_MD_CTX_free(pContext); }
};


void Sha256Digest::hash(const char *pData, size_t iSize)
{
    if (m_pImpl->bOk)
        m_pImpl->bOk = EVP_DigestUpdate(m_pImpl->pContext, pData, iSize) == 1;
}

QByteArray Sha256Digest::finish()
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


void Sha256Digest::hash(const char *pData, size_t iSize)
{
    m_pImpl->hash.addData(pData, int(iSize));
}

QByteArray Sha256Digest::finish()
{
    return m_pImpl->hash.result();
}
#endif

Sha256Digest::Sha256Digest(bool bBackground)
    : m_pImpl(std::make_unique<Impl>())
{
    if (!bBackground)
        return;
    m_pWorker = std::make_unique<Worker>();
    m_pWorker->thread = std::thread([this] {
        Worker &worker = *m_pWorker;
        std::unique_lock<std::mutex> lock(worker.mutex);
        for (;;) {
            worker.changed.wait(lock, [&worker] { return worker.bDone || !worker.queue.empty(); });
            if (worker.queue.empty())
                return;
            const QByteArray chunk = std::move(worker.queue.front());
            worker.queue.pop_front();
            lock.unlock();
            worker.changed.notify_all();
            hash(chunk.constData(), size_t(chunk.size()));
            lock.lock();
        }
    });
}

Sha256Digest::~Sha256Digest()
{
    stopWorker();
}

void Sha256Digest::stopWorker()
{
    if (!m_pWorker)
        return;
    {
        std::lock_guard<std::mutex> lock(m_pWorker->mutex);
        m_pWorker->bDone = true;
    }
    m_pWorker->changed.notify_all();
    if (m_pWorker->thread.joinable())
        m_pWorker->thread.join();
}

void Sha256Digest::addData(const char *pData, size_t iSize)
{
    if (!m_pWorker) {
        hash(pData, iSize);
        return;
    }
    std::unique_lock<std::mutex> lock(m_pWorker->mutex);
    m_pWorker->changed.wait(lock, [this] { return m_pWorker->queue.size() < Worker::kMaxQueued; });
    m_pWorker->queue.emplace_back(pData, int(iSize));
    lock.unlock();
    m_pWorker->changed.notify_all();
}

QByteArray Sha256Digest::result()
{
    // The worker hashes what is queued before it ends.
    stopWorker();
    return finish();
}

} // namespace gearbay
