#pragma once

#include <QString>

#include <memory>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace gearbay {

class JobTable;

// The loopback HTTP face of Ferrodock: turns request documents into job-table calls and the answers
// back into response documents. It decides nothing about downloads itself beyond which URLs may be
// fetched at all.
class FerrodockEndpoint
{
public:
    // Requests above this size are refused before they are read.
    static constexpr size_t kMaxBodyBytes = 1024 * 1024;

    FerrodockEndpoint(const QString &strProgramDir, JobTable *pJobs);
    ~FerrodockEndpoint();

    // Binds 127.0.0.1:iPort and serves on a thread of its own; false when the port cannot be had.
    bool listen(int iPort);
    void stop();

private:
    void handle(const httplib::Request &request, httplib::Response &response);
    QString answer(int iMethod, const QString &strUrl, class ProgramFolderConfig *pConfig, bool bConfigured);
    static QString readMaterialVersion(const QString &strServerAddress);

    QString m_strProgramDir;
    JobTable *m_pJobs;
    std::unique_ptr<httplib::Server> m_pServer;
    std::thread m_thread;
};

} // namespace gearbay
