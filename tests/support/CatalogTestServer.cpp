#include "CatalogTestServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "LoopbackHttpServer.h"

#include <chrono>

CatalogTestServer::CatalogTestServer(const QString &strFolder)
    : m_strFolder(QDir(strFolder).absolutePath())
    , m_pHttp(std::make_unique<LoopbackHttpServer>())
{
    m_pHttp->server.Get(R"(/.*)", [this](const httplib::Request &request, httplib::Response &response) {
        const QString strPath = QString::fromStdString(request.path);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_strRequested.append(strPath);
            if (request.has_header("Range"))
                m_strRanges.append(strPath + QLatin1Char(' ') + QString::fromStdString(request.get_header_value("Range")));
        }
        if (strPath.endsWith(QStringLiteral(".sha256"))
            && faultFor(strPath.chopped(7)) == Fault::WrongChecksum) {
            response.set_content(std::string(64, 'a') + "  package\n", "text/plain");
            return;
        }
        const Fault emFault = faultFor(strPath);
        const QString strFile = m_strFolder + QDir::cleanPath(strPath);
        const bool bMissing = emFault == Fault::NotFound || strPath.contains(QStringLiteral(".."))
            || !QFileInfo(strFile).isFile();
        if (bMissing || emFault == Fault::ServerError) {
            response.status = bMissing ? 404 : 500;
            response.set_content(bMissing ? "not found" : "broken", "text/plain");
            return;
        }
        if (emFault == Fault::EndlessBody) {
            // Bounded at 1 GiB so a client that never stops cannot hang the test forever.
            response.set_chunked_content_provider("application/octet-stream",
                [](size_t iOffset, httplib::DataSink &sink) {
                    const std::string chunk(64 * 1024, 'z');
                    return iOffset < (size_t(1) << 30) && sink.write(chunk.data(), chunk.size());
                });
            return;
        }
        auto pFile = std::make_shared<QFile>(strFile);
        if (!pFile->open(QIODevice::ReadOnly)) {
            response.status = 403;
            return;
        }
        const size_t iSize = size_t(pFile->size());
        // httplib serves ranges of a content provider itself; forgetting the asked range sends it all.
        if (emFault == Fault::IgnoreRange)
            const_cast<httplib::Request &>(request).ranges.clear();
        response.set_content_provider(
            iSize, "application/octet-stream",
            [this, pFile, iSize, emFault](size_t iOffset, size_t iLength, httplib::DataSink &sink) {
                const size_t iHalf = iSize / 2;
                if ((emFault == Fault::DropMidFile || emFault == Fault::Stall) && iOffset >= iHalf) {
                    if (emFault == Fault::Stall) {
                        std::unique_lock<std::mutex> lock(m_mutex);
                        m_bStalling = true;
                        m_stallReleased.wait_for(lock, std::chrono::seconds(60), [this] { return m_bStallReleased; });
                        m_bStalling = false;
                    }
                    return false;
                }
                // The connection ends cleanly short of the announced length.
                if (emFault == Fault::ShortBody && iOffset + 1024 >= iSize)
                    return false;
                size_t iChunk = std::min<size_t>(iLength, 256 * 1024);
                if (emFault == Fault::DropMidFile || emFault == Fault::Stall)
                    iChunk = std::min(iChunk, iHalf > iOffset ? iHalf - iOffset : size_t(1));
                if (emFault == Fault::ShortBody)
                    iChunk = std::min(iChunk, iSize - 1024 - iOffset);
                pFile->seek(qint64(iOffset));
                QByteArray data = pFile->read(qint64(iChunk));
                const size_t iMiddle = iSize / 2;
                if (emFault == Fault::Tampered && iMiddle >= iOffset && iMiddle < iOffset + size_t(data.size()))
                    data[int(iMiddle - iOffset)] = char(data.at(int(iMiddle - iOffset)) ^ 0x01);
                return !data.isEmpty() && sink.write(data.constData(), size_t(data.size()));
            });
    });
}

CatalogTestServer::~CatalogTestServer()
{
    stop();
}

bool CatalogTestServer::start()
{
    m_iPort = m_pHttp->start();
    return m_iPort > 0;
}

void CatalogTestServer::stop()
{
    releaseStall();
    m_pHttp->stop();
}

void CatalogTestServer::setFault(const QString &strPath, Fault emFault)
{
    locked([&] {
        m_hashFaults.insert(strPath, emFault);
        m_bStallReleased = false;
    });
}

void CatalogTestServer::releaseStall()
{
    locked([this] { m_bStallReleased = true; });
    m_stallReleased.notify_all();
}

