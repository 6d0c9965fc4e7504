#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace gearbay {

// What Ferrodock needs from the program folder it lives in: the download path and server addresses of
// Setup.xml and the catalog's download paths. Read afresh for each request, so a setting changed by the
// program is honoured without restarting the server.
class ProgramFolderConfig
{
public:
    explicit ProgramFolderConfig(const QString &strProgramDir);

    // Reads Setup.xml and ToolsFile/ToolsInfoList.xml; a missing catalog is not an error (the first
    // material download has not happened yet), a missing or malformed Setup.xml is.
    bool load(QString *pError);

    QString programDir() const { return m_strProgramDir; }
    QString downloadPath() const { return m_strDownloadPath; }
    // The "Proxy" setting as written (see PackageFetcher::setProxy).
    QString proxy() const { return m_strProxy; }
    // "CatalogPublicKey": the publisher keys the catalog's index must be signed with; empty trusts any bytes.
    QString publicKeys() const { return m_strPublicKeys; }
    // "CatalogMirrors": more base addresses holding the same signed catalog, in the order they are tried.
    QStringList mirrors() const { return m_strMirrors; }
    // "CatalogCaFile": CA bundle for an https catalog server; empty uses the system store.
    QString caFile() const { return m_strCaFile; }

    // True when the URL is one of the configured server addresses or lies below one. Dot segments are
    // refused, since libcurl would resolve them and so leave the address.
    bool isUnderServer(const QString &strUrl) const;
    // The configured server address the URL lies under (trailing "/" removed), or empty.
    QString serverFor(const QString &strUrl) const;
    // The URL's path below its server address, without leading "/" (an address configured with a
    // trailing "/" makes the program send "address//path"), or empty when it is under none.
    QString relativePath(const QString &strUrl) const;
    // The catalog's ExeName of the tool whose download URL this is, or empty when no tool has it.
    QString exeNameForUrl(const QString &strUrl) const;

private:
    struct CatalogEntry
    {
        QString strExeName;
        QString strChPath;
        QString strEnPath;
    };

    QString m_strProgramDir;
    QString m_strDownloadPath;
    QString m_strProxy;
    QString m_strPublicKeys;
    QStringList m_strMirrors;
    QString m_strCaFile;
    QStringList m_strServerAddresses;
    QVector<CatalogEntry> m_vectCatalog;
};

} // namespace gearbay
