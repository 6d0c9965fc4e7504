#pragma once

#include <chrono>
#include <httplib.h>
#include <thread>

// A cpp-httplib server on 127.0.0.1 at a port of the system's choosing, run on its own thread for
// the length of a test. Register handlers on `server` before start().
class LoopbackHttpServer
{
public:
    httplib::Server server;

    ~LoopbackHttpServer() { stop(); }

    // The port, or -1 when nothing could be bound.
    int start()
    {
        // More workers than the dispatcher's ten threads, so handlers that hold requests open
        // never starve the rest.
        server.new_task_queue = [] { return new httplib::ThreadPool(24); };
        m_iPort = server.bind_to_any_port("127.0.0.1");
        if (m_iPort <= 0)
            return -1;
        m_thread = std::thread([this] { server.listen_after_bind(); });
        // stop() is a no-op until the loop runs, so wait for it (bounded).
        for (int i = 0; i < 500 && !server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return server.is_running() ? m_iPort : -1;
    }

    // Handlers still running must end first: their waits are bounded.
    void stop()
    {
        if (m_thread.joinable()) {
            server.stop();
            m_thread.join();
        }
    }

    int port() const { return m_iPort; }

private:
    int m_iPort = -1;
    std::thread m_thread;
};
