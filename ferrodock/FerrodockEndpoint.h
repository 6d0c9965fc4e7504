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
//
// Values per URL: methods 1-3 answer "0" when accepted (also when that URL is already under way);
// a URL outside the server addresses of Setup.xml, or (method 3) not in the catalog, answers "404"
// and is never fetched; an unreadable Setup.xml, no download path, or an unusable ExeName answer
// "400"; with a CatalogPublicKey, a catalog whose signed index cannot be had or does not list the
// file answers "460" (see FetchPlanner). Method 4: "0".."100" while bytes arrive (100 while
// verifying and unpacking), "200" once installed, then the failure codes: "404" no such file, "-1"
// network failure, refused redirect or checksum mismatch (unverified catalogs), "460" bytes the signed
// index does not vouch for, "400" cannot save (disk full, unwritable target, damaged or unsafe package);
// "0" after a cancel; "404" for a URL never requested. Method 5: "0" once the transfer has stopped
// and its files are gone. Method 6: the trimmed MaterialVersion.txt below the URL (with a key: only
// as the verified index lists it), empty on failure.
// Every request Ferrodock makes to the catalog server (packages, checksums, MaterialVersion.txt) goes
// through the "Proxy" of Setup.xml: empty follows the environment's proxy variables (and no_proxy),
// "none" connects directly, anything else is the proxy URL, also for a catalog server on loopback.
// file:// addresses never use a proxy, and the program's own requests to this endpoint never do either.
// A download broken off (connection lost, Ferrodock stopped or killed) keeps its bytes; asking for the
// same URL again resumes with a range request where the server allows it.
// A request that is not such a document gets HTTP 400 (404 for an unknown path, 413 above 1 MiB)
// with {"error": text, "urlsToValue": []}. A document whose method is not the path's, or none of the
// six, is answered "404" for each of its URLs.
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
    QString answer(int iMethod, const QString &strUrl, class FetchPlanner *pPlanner, bool bConfigured);

    QString m_strProgramDir;
    JobTable *m_pJobs;
    std::unique_ptr<httplib::Server> m_pServer;
    std::thread m_thread;
};

} // namespace gearbay
