#pragma once

#include "CatalogTestServer.h"
#include "TempProgramFolder.h"

#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <memory>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

// What the benchmark programs share: generated packages, a loopback catalog with a program folder that
// points at it, a running Ferrodock, and the figures they print.
namespace bench {

// One file of a generated package: its path inside the archive and its size.
struct PackageEntry
{
    QByteArray name;
    qint64 iBytes = 0;
};

// A tar package of random content (which does not compress), gzipped at the fastest level when bGzip.
bool writePackage(const QString &strPath, const QVector<PackageEntry> &entries, quint32 iSeed, bool bGzip);
// A plain file of random content, as an installed tool's files are to a copy.
bool writeRandomFile(const QString &strPath, qint64 iBytes, quint32 iSeed);
qint64 treeBytes(const QString &strRoot);

// The value below which the share (0 to 1) of the ascending values lies; 0 for none.
double percentile(const std::vector<double> &sorted, double fShare);
// The peak resident memory (VmHWM) of a running process, -1 when it cannot be read.
qint64 peakRssKiB(qint64 iPid);
// The reference way to install a package by hand: `curl -o strArchive strUrl`, then `tar -xzf` into
// strOutFolder (created). True when both succeeded, each within iTimeoutMs.
bool fetchAndUnpack(
    const QString &strUrl, const QString &strArchive, const QString &strOutFolder, int iTimeoutMs);

// A folder served on loopback, and a program folder whose settings and catalog point at it. Served by the
// catalog test server, or, with a rate given, by a plain server that sends each file no faster than that,
// so downloads last long enough to watch what runs beside them.
class BenchCatalog
{
public:
    BenchCatalog();
    ~BenchCatalog();

    bool start(qint64 iBytesPerSecond = 0);
    QString folder() const { return m_folder.path(); }
    // "http://127.0.0.1:<port>" of whichever server runs.
    QString baseUrl() const;
    // Writes "tools/<name>.tar[.gz]" with writePackage and lists it as the download of a tool whose
    // ExeName is strName. Returns the package's address, empty when it could not be written.
    QString addPackage(
        int iKey, const QString &strName, const QVector<PackageEntry> &entries, quint32 iSeed, bool bGzip);
    // iCount one-file packages named strPattern.arg(i), keys from 2 on; their addresses, or none when one
    // could not be written.
    QStringList addPackages(int iCount, const QString &strPattern, qint64 iBytes, bool bGzip);
    // A catalog entry without a package of its own (the catalog material, the program).
    void addTool(const TempProgramFolder::Tool &tool) { m_vectTools.append(tool); }
    // Writes the program folder's Setup.xml (both servers: this one) and its catalog.
    bool publish();

    // The catalog test server, for its faults; not running when a rate was given.
    CatalogTestServer &server() { return *m_pServer; }
    TempProgramFolder &program() { return m_program; }

private:
    bool startThrottled(qint64 iBytesPerSecond);

    QTemporaryDir m_folder;
    TempProgramFolder m_program;
    std::unique_ptr<CatalogTestServer> m_pServer;
    std::unique_ptr<httplib::Server> m_pThrottled;
    std::thread m_throttledThread;
    int m_iThrottledPort = 0;
    QVector<TempProgramFolder::Tool> m_vectTools;
};

// The built Ferrodock, copied into a program folder and running there on a free loopback port; it is
// killed with the object.
class FerrodockRun
{
public:
    FerrodockRun() = default;
    ~FerrodockRun();
    FerrodockRun(const FerrodockRun &) = delete;
    FerrodockRun &operator=(const FerrodockRun &) = delete;

    static QString builtExecutable();

    // bForwardOutput: its standard output joins ours; its log lines are dropped either way. Returns
    // once it answers progress questions (false when it did not within 10 s).
    bool start(TempProgramFolder &program, bool bForwardOutput);
    int port() const { return m_iPort; }
    qint64 pid() const { return m_process.processId(); }

    // One request naming every URL, as the program's pages batch them; the answers by URL, empty when
    // the exchange failed.
    QMap<QString, QString> ask(int iMethod, const QStringList &strUrls);

private:
    QProcess m_process;
    int m_iPort = 0;
};

} // namespace bench
