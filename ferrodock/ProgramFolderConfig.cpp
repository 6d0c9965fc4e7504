#include "ProgramFolderConfig.h"

#include "Utilities.h"

#include <QDomDocument>
#include <QRegularExpression>
#include <QDomElement>
#include <QFile>

namespace gearbay {

namespace {

bool readDocument(const QString &strPath, QDomDocument *pDoc, QString *pError)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *pError = QStringLiteral("cannot open %1: %2").arg(strPath, file.errorString());
        return false;
    }
    QString strMessage;
    int iLine = 0;
    if (!pDoc->setContent(&file, &strMessage, &iLine)) {
        *pError = QStringLiteral("%1 line %2: %3").arg(strPath).arg(iLine).arg(strMessage);
        return false;
    }
    return true;
}

// An address must name a scheme and a host (or a file:// folder); "http:" alone would open every URL.
bool isAddress(const QString &strAddress)
{
    return strAddress.contains(QStringLiteral("://")) && !strAddress.endsWith(QStringLiteral("://"));
}

} // namespace

ProgramFolderConfig::ProgramFolderConfig(const QString &strProgramDir)
    : m_strProgramDir(strProgramDir)
{
}

bool ProgramFolderConfig::load(QString *pError)
{
    QDomDocument setup;
    if (!readDocument(m_strProgramDir + QStringLiteral("/Setup.xml"), &setup, pError))
        return false;
    const QDomElement root = setup.documentElement();
    // The first element of a name wins, as the program's own settings store reads it.
    auto value = [&root](const char *pKey) {
        return root.firstChildElement(QLatin1String(pKey)).firstChildElement(QStringLiteral("Value")).text();
    };
    m_strDownloadPath = value("DownloadPath").trimmed();
    m_strProxy = value("Proxy").trimmed();
    m_strPublicKeys = value("CatalogPublicKey").trimmed();
    m_strCaFile = value("CatalogCaFile").trimmed();
    m_strMirrors.clear();
    for (const QString &strMirror :
         value("CatalogMirrors").split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts)) {
        if (isAddress(normalizedServerAddress(strMirror)))
            m_strMirrors.append(normalizedServerAddress(strMirror));
    }
    m_strServerAddresses.clear();
    for (const char *pKey : {"ChServerAddress", "EnServerAddress"}) {
        const QString strAddress = normalizedServerAddress(value(pKey));
        if (isAddress(strAddress))
            m_strServerAddresses.append(strAddress);
    }

    m_vectCatalog.clear();
    QDomDocument catalog;
    QString strIgnored;
    if (readDocument(m_strProgramDir + QStringLiteral("/ToolsFile/ToolsInfoList.xml"), &catalog, &strIgnored)) {
        for (QDomElement tool = catalog.documentElement().firstChildElement(); !tool.isNull();
             tool = tool.nextSiblingElement()) {
            auto path = [&tool](const char *pName) {
                QString strPath = tool.firstChildElement(QLatin1String(pName)).text().trimmed();
                while (strPath.startsWith(QLatin1Char('/')))
                    strPath.remove(0, 1);
                return strPath;
            };
            m_vectCatalog.append({tool.firstChildElement(QStringLiteral("ExeName")).text().trimmed(),
                                  path("DownloadCHUrl"), path("DownloadENUrl")});
        }
    }
    return true;
}

QString ProgramFolderConfig::serverFor(const QString &strUrl) const
{
    for (const QString &strAddress : m_strServerAddresses) {
        if (strUrl == strAddress || strUrl == strAddress + QLatin1Char('/'))
            return strAddress;
        if (!strUrl.startsWith(strAddress + QLatin1Char('/')))
            continue;
        const QString strRest = strUrl.mid(strAddress.size() + 1).section(QLatin1Char('?'), 0, 0);
        if (strRest.contains(QStringLiteral("%2e"), Qt::CaseInsensitive)
            || strRest.contains(QLatin1Char('\\')))
            return QString();
        const QStringList segments = strRest.split(QLatin1Char('/'));
        if (segments.contains(QStringLiteral("..")) || segments.contains(QStringLiteral(".")))
            return QString();
        return strAddress;
    }
    return QString();
}

bool ProgramFolderConfig::isUnderServer(const QString &strUrl) const
{
    return !serverFor(strUrl).isEmpty();
}

QString ProgramFolderConfig::relativePath(const QString &strUrl) const
{
    const QString strAddress = serverFor(strUrl);
    if (strAddress.isEmpty())
        return QString();
    QString strPath = strUrl.mid(strAddress.size());
    while (strPath.startsWith(QLatin1Char('/')))
        strPath.remove(0, 1);
    return strPath;
}

QString ProgramFolderConfig::exeNameForUrl(const QString &strUrl) const
{
    const QString strPath = relativePath(strUrl);
    if (strPath.isEmpty())
        return QString();
    for (const CatalogEntry &entry : m_vectCatalog) {
        if (!entry.strExeName.isEmpty() && (strPath == entry.strChPath || strPath == entry.strEnPath))
            return entry.strExeName;
    }
    return QString();
}

} // namespace gearbay
