#pragma once

#include <QStringList>

#include <memory>
#include <mutex>

class LoopbackHttpServer;

// A forwarding HTTP proxy on loopback for tests: takes absolute-form GET requests
// ("GET http://host:port/path"), fetches them from the origin and answers with what came back (ranges
// included). Counts what went through it, so a test can prove a proxy setting was applied.
class ForwardingProxy
{
public:
    ForwardingProxy();
    ~ForwardingProxy();

    bool start();
    void stop();

    // "http://127.0.0.1:<port>"
    QString url() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_iPort); }
    // The absolute URLs forwarded, in order.
    QStringList forwarded() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_strForwarded;
    }

private:
    std::unique_ptr<LoopbackHttpServer> m_pHttp;
    int m_iPort = 0;
    mutable std::mutex m_mutex;
    QStringList m_strForwarded;
};
