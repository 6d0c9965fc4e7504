#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

namespace gearbay {

// One record of the catalog as the description gives it, paths already absolute.
struct CatalogEntry
{
    int iKey = -1;
    int iType = 0;
    QString strCHName;
    QString strENName;
    QString strVersion;
    QString strBriefCH;
    QString strBriefEN;
    QString strUpdateCH;
    QString strUpdateEN;
    QString strDate;
    QString strExeName;
    QString strFolder;   // content of the package (tools and program)
    QString strDownload; // download path relative to the catalog server address
    double dSize = -1;   // MiB; below 0: measured from the folder
    bool bRestricted = false;
    QString strIconMin, strIconMid, strIconMax;
    QString strBannerZhMin, strBannerZhMax, strBannerEnMin, strBannerEnMax;
    QStringList vectShotsCH, vectShotsEN;
    QStringList vectExclude; // program only: folder entries left out of the package

    // ExeName without its last extension: the tool's folder under SubTools and its file stem here.
    QString exeBaseName() const;
};

// Reads and checks a catalog description (JSON, see README.md), following "extends" to the
// description it builds on. Everything is checked before anything is written, so a bad description
// never leaves a half-built catalog behind.
class CatalogDescription
{
public:
    // Reads the file and the fields' types; validate() then checks the files it names.
    bool load(const QString &strPath, QString *pError);
    // Packs this folder as the program package instead of the one the description names.
    void setProgramFolder(const QString &strFolder);
    bool validate(QString *pError) const;

    const CatalogEntry &material() const { return m_material; }
    const CatalogEntry &program() const { return m_program; }
    const QVector<CatalogEntry> &tools() const { return m_vectTools; }

private:
    static bool readDocument(const QString &strPath, int iDepth, QJsonObject *pObject, QString *pError);
    bool readEntry(const QJsonObject &object, const QString &strWhere, int iKind, CatalogEntry *pEntry,
                   QString *pError);

    CatalogEntry m_material;
    CatalogEntry m_program;
    QVector<CatalogEntry> m_vectTools;
};

} // namespace gearbay
