#pragma once

#include "CatalogIndex.h"

#include <QMap>
#include <QString>

namespace gearbay {

class CatalogDescription;
struct CatalogEntry;

// Writes a catalog server folder from a checked description: ToolsInfoList.xml, the material
// package, one package per tool, the program package, MaterialVersion.txt and a .sha256 beside
// each package. Everything is built in a staging folder beside the target and swapped in at the
// end, so the target is either the old catalog or the complete new one.
class CatalogBuilder
{
public:
    explicit CatalogBuilder(const CatalogDescription &description);

    // How the catalog index is published. iSerial 0 takes the time (seconds since 1970), raised above
    // the serial of the catalog being replaced; a serial given is the publisher's to keep growing.
    // strSecretKey set signs the index with `minisign`.
    struct Signing
    {
        quint64 iSerial = 0;
        int iValidDays = 30;
        QString strSecretKey;
    };
    void setSigning(const Signing &signing) { m_signing = signing; }

    bool build(const QString &strOutputDir, QString *pError);

    // Signs strFile with minisign's secret key strSecretKey, writing strFile.minisig beside it.
    static bool sign(const QString &strFile, const QString &strSecretKey, QString *pError);

    // The catalog file's text; the same bytes go to the server folder and into the material.
    QByteArray catalogXml() const;

private:
    bool buildInto(const QString &strStaging, QString *pError);
    bool writeIndex(const QString &strStaging, QString *pError);
    bool copyFile(const QString &strFrom, const QString &strTo, QString *pError) const;
    bool writePackage(const QString &strFolder, const QString &strStaging, const CatalogEntry &entry,
                      QString *pError) const;

    const CatalogDescription &m_description;
    QMap<int, double> m_mapSizes; // measured sizes, MiB, by tool key
    Signing m_signing;
    quint64 m_iPreviousSerial = 0; // of the catalog being replaced
};

} // namespace gearbay
