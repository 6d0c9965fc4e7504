#include "ForwardingProxy.h"

#include "LoopbackHttpServer.h"

#include <QUrl>

ForwardingProxy::ForwardingProxy()
    : m_pHttp(std::make_unique<LoopbackHttpServer>())
{
    m_pHttp->server.Get(R"(.*)", [this](const httplib::Request &request, httplib::Response &response) {
        const QUrl target(QString::fromStdString(request.target));
        if (target.scheme() != QLatin1String("http") || target.host().isEmpty()) {
            response.status = 400;
            response.set_content("absolute http URL expected", "text/plain");
            return;
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_strForwarded.append(target.toString());
        }
        httplib::Headers headers;
        for (const char *pName : {"Range", "If-Range"})
            if (request.has_header(pName))
                headers.emplace(pName, request.get_header_value(pName));
        httplib::Client client(target.host().toStdString(), target.port(80));
        client.set_read_timeout(30, 0);
        const auto result = client.Get(target.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority).toStdString(), headers);
        if (!result) {
            response.status = 502;
            response.set_content("origin unreachable", "text/plain");
            return;
        }
        // The origin already applied the range; this server must not cut the answer a second time.
        const_cast<httplib::Request &>(request).ranges.clear();
        response.status = result->status;
        for (const char *pName : {"Content-Range", "ETag", "Last-Modified"})
            if (result->has_header(pName))
                response.set_header(pName, result->get_header_value(pName));
        response.set_content(result->body, result->get_header_value("Content-Type").c_str());
    });
}

ForwardingProxy::~ForwardingProxy()
{
    stop();
}

bool ForwardingProxy::start()
{
    m_iPort = m_pHttp->start();
    return m_iPort > 0;
}

void ForwardingProxy::stop()
{
    m_pHttp->stop();
}
