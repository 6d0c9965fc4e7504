#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <memory>
#include <mutex>

class LoopbackHttpServer;

// A catalog server on loopback for tests: serves the files of a folder over HTTP and, per path, can
// misbehave the ways real servers do. Every request path it receives is recorded.
class CatalogTestServer
{
public:
    enum class Fault {
        None,
        NotFound,      // 404 although the file exists
        ServerError,   // 500
        DropMidFile,   // announce the full length, close after half of it
        ShortBody,     // announce the full length, end 1 KiB before it
        Stall,         // send half, then hold the connection until releaseStall() or stop()
        WrongChecksum, // "<path>.sha256" answers a digest that does not match
        IgnoreRange,   // answers a range request with the whole file (200), as servers without ranges do
        Tampered,      // the file with its middle byte changed, same length
        EndlessBody,   // bytes without end instead of the file, no length announced
    };

    explicit CatalogTestServer(const QString &strFolder);
    ~CatalogTestServer();

    // Listens on a free loopback port. False if no port could be bound.
    bool start();
    void stop();

    int port() const { return m_iPort; }
    // "http://127.0.0.1:<port>", without a trailing "/".
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_iPort); }

    // strPath as requested, e.g. "/tools/hexview.tar.gz".
    void setFault(const QString &strPath, Fault emFault);
    void clearFaults() { locked([this] { m_hashFaults.clear(); }); }
    void releaseStall();

    QStringList requestedPaths() const { return locked([this] { return m_strRequested; }); }
    // "<path> <Range header>" for each request that asked for a range (ranges are served with 206).
    QStringList rangeRequests() const { return locked([this] { return m_strRanges; }); }
    void clearRequestedPaths()
    {
        locked([this] {
            m_strRequested.clear();
            m_strRanges.clear();
        });
    }
    // True once a stalled transfer has sent its first half and is holding.
    bool isStalling() const { return locked([this] { return m_bStalling; }); }

private:
    Fault faultFor(const QString &strPath) const
    {
        return locked([&] { return m_hashFaults.value(strPath, Fault::None); });
    }
    // Runs f with the state locked against the server threads.
    template <typename F> auto locked(F f) const -> decltype(f())
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return f();
    }

    QString m_strFolder;
    std::unique_ptr<LoopbackHttpServer> m_pHttp;
    int m_iPort = 0;

    mutable std::mutex m_mutex;
    std::condition_variable m_stallReleased;
    bool m_bStallReleased = false;
    bool m_bStalling = false;
    QHash<QString, Fault> m_hashFaults;
    QStringList m_strRequested;
    QStringList m_strRanges;
};
