#pragma once

#include "CatalogIndex.h"
#include "DownloadJob.h"
#include "MinisignVerifier.h"
#include "ProgramFolderConfig.h"

#include <QMap>
#include <QString>

namespace gearbay {

// The one place that turns a requested URL into what may be fetched: the server it belongs to and
// the mirrors holding the same catalog, the signed index entry that vouches for it, the folder it
// installs into; or a refusal with its code. Made per request, reading the program folder afresh.
//
// With "CatalogPublicKey" set, the catalog index (catalog.index beside MaterialVersion.txt) and its
// minisign signature (catalog.index.minisig) are fetched from the server, else from each mirror in
// turn, until one verifies: a trusted key's signature, a serial not below the highest this program
// folder accepted (CatalogSerial.txt beside Setup.xml, written atomically), not expired. The file
// asked for must be listed; the job then fetches exactly its listed size and digest.
class FetchPlanner
{
public:
    // The file beside Setup.xml that remembers the highest index serial accepted.
    static constexpr const char *kSerialFile = "CatalogSerial.txt";

    struct Decision
    {
        int iRefusal = 0; // a protocol code when the URL may not be fetched
        QString strDetail;
        DownloadJob::Plan plan;
    };

    explicit FetchPlanner(const QString &strProgramDir);

    // Reads Setup.xml and the catalog; false (with the reason) when Setup.xml is unusable.
    bool load(QString *pError);
    const ProgramFolderConfig &config() const { return m_config; }
    // False when "CatalogPublicKey" is empty: downloads are installed unverified.
    bool isTrustConfigured() const { return !m_config.publicKeys().isEmpty(); }

    // Methods 1 (material), 2 (program) and 3 (tool).
    Decision plan(int iMethod, const QString &strUrl);
    // Method 6: the version text of MaterialVersion.txt below the server address; empty on any failure.
    QString materialVersion(const QString &strServerAddress);

private:
    // The verified index, fetched once per planner; false with a code and the reason.
    bool verifiedIndex(const QString &strServer, int *pCode, QString *pDetail);
    bool acceptSerial(quint64 iSerial, QString *pDetail) const;
    QStringList bases(const QString &strServer) const;

    ProgramFolderConfig m_config;
    MinisignVerifier m_verifier;
    QString m_strKeyError;
    bool m_bIndexRead = false;
    bool m_bIndexOk = false;
    int m_iIndexCode = 0;
    QString m_strIndexDetail;
    QString m_strIndexServer;
    protocol::CatalogIndex m_index;
};

} // namespace gearbay
