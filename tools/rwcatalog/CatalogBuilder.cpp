#include "CatalogBuilder.h"

#include "CatalogDescription.h"
#include "PackageWriter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <unistd.h>

#include <cmath>

namespace gearbay {

namespace {

QString iconName(const CatalogEntry &entry, const QString &strSize, const QString &strSource)
{
    const QString strSuffix = QFileInfo(strSource).suffix().toLower();
    return QString("%1_%2%3").arg(entry.exeBaseName(), strSize, strSuffix.isEmpty() ? "" : "." + strSuffix);
}

// What the store compares with free disk space: the unpacked size, rounded up to a tenth of a MiB.
double measuredSize(const QString &strFolder)
{
    qint64 iBytes = 0;
    QDirIterator it(strFolder, QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        iBytes += it.fileInfo().size();
    }
    const double dMiB = std::ceil(double(iBytes) / (1024.0 * 1024.0) * 10.0) / 10.0;
    return std::max(dMiB, 0.1);
}

bool writeFile(const QString &strPath, const QByteArray &content, QString *pError)
{
    QDir().mkpath(QFileInfo(strPath).path());
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        *pError = QString("cannot write %1").arg(strPath);
        return false;
    }
    return true;
}

// A run that was killed leaves its hidden staging or old folder behind; the next run clears those
// whose process is gone.
void removeStaleLeftovers(const QString &strParent, const QString &strName)
{
    const QStringList vectLeft = QDir(strParent).entryList(
        {"." + strName + ".building-*", "." + strName + ".old-*"}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &strLeft : vectLeft) {
        bool bOk = false;
        const qint64 iPid = strLeft.section('-', -1).toLongLong(&bOk);
        if (bOk && iPid > 0 && ::kill(pid_t(iPid), 0) != 0 && errno == ESRCH)
            QDir(strParent + "/" + strLeft).removeRecursively();
    }
}

} // namespace

CatalogBuilder::CatalogBuilder(const CatalogDescription &description)
    : m_description(description)
{
}

QByteArray CatalogBuilder::catalogXml() const
{
    QDomDocument document;
    document.appendChild(document.createProcessingInstruction("xml", "version=\"1.0\" encoding=\"UTF-8\""));
    QDomElement root = document.createElement("ToolsInfoList");
    document.appendChild(root);

    QVector<CatalogEntry> vectEntries {m_description.material(), m_description.program()};
    vectEntries += m_description.tools();
    for (const CatalogEntry &entry : vectEntries) {
        const bool bTool = entry.iKey >= 2;
        const double dSize = entry.dSize >= 0 ? entry.dSize : m_mapSizes.value(entry.iKey, 0);
        const QList<QPair<QString, QString>> fields = {
            {"ToolKey", QString::number(entry.iKey)},
            {"ToolType", QString::number(entry.iType)},
            {"ToolCHName", entry.strCHName},
            {"ToolENName", entry.strENName},
            {"Version", entry.strVersion},
            {"IconMinName", bTool ? iconName(entry, "min", entry.strIconMin) : QString()},
            {"IconMidName", bTool ? iconName(entry, "mid", entry.strIconMid) : QString()},
            {"IconMaxName", bTool ? iconName(entry, "max", entry.strIconMax) : QString()},
            {"BriefCHIntro", entry.strBriefCH},
            {"BriefENIntro", entry.strBriefEN},
            {"UpdateENIntro", entry.strUpdateEN},
            {"UpdateCHIntro", entry.strUpdateCH},
            {"ExeName", entry.strExeName},
            {"updateDate", entry.strDate},
            {"ToolSize", QString::number(dSize, 'g', 6)},
            {"IsDown", entry.bRestricted ? "1" : "0"},
            {"DetailImagesNum", QString::number(entry.vectShotsCH.size())},
            {"DownloadCHUrl", entry.strDownload},
            {"DownloadENUrl", entry.strDownload},
        };
        QDomElement tool = document.createElement("Tool");
        for (const auto &field : fields) {
            QDomElement element = document.createElement(field.first);
            element.appendChild(document.createTextNode(field.second));
            tool.appendChild(element);
        }
        root.appendChild(tool);
    }
    return document.toByteArray(2);
}

bool CatalogBuilder::copyFile(const QString &strFrom, const QString &strTo, QString *pError) const
{
    QDir().mkpath(QFileInfo(strTo).path());
    if (!QFile::copy(strFrom, strTo)) {
        *pError = QString("cannot copy %1 to %2").arg(strFrom, strTo);
        return false;
    }
    QFile::setPermissions(strTo, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return true;
}

bool CatalogBuilder::writePackage(const QString &strFolder, const QString &strStaging, const CatalogEntry &entry,
                                  QString *pError) const
{
    const QString strArchive = strStaging + "/" + entry.strDownload;
    if (!PackageWriter::pack(strFolder, strArchive, pError, entry.vectExclude))
        return false;
    return !PackageWriter::writeSha256(strArchive, pError).isEmpty();
}

bool CatalogBuilder::buildInto(const QString &strStaging, QString *pError)
{
    const QString strTree = strStaging + "/ToolsFile";
    for (const char *sub : {"Icon", "BannerImages/zh", "BannerImages/en", "DetailImages"}) {
        if (!QDir().mkpath(strTree + "/" + sub)) {
            *pError = QString("cannot create %1/%2").arg(strTree, sub);
            return false;
        }
    }

    m_mapSizes.clear();
    for (const CatalogEntry &tool : m_description.tools()) {
        const QString strKey = QString::number(tool.iKey);
        if (!copyFile(tool.strIconMin, strTree + "/Icon/" + iconName(tool, "min", tool.strIconMin), pError)
            || !copyFile(tool.strIconMid, strTree + "/Icon/" + iconName(tool, "mid", tool.strIconMid), pError)
            || !copyFile(tool.strIconMax, strTree + "/Icon/" + iconName(tool, "max", tool.strIconMax), pError))
            return false;
        if (!tool.strBannerZhMin.isEmpty()) {
            const QString strZh = strTree + "/BannerImages/zh/" + strKey;
            const QString strEn = strTree + "/BannerImages/en/" + strKey;
            if (!copyFile(tool.strBannerZhMin, strZh + "_min.png", pError)
                || !copyFile(tool.strBannerZhMax, strZh + "_max.png", pError)
                || !copyFile(tool.strBannerEnMin, strEn + "_min.png", pError)
                || !copyFile(tool.strBannerEnMax, strEn + "_max.png", pError))
                return false;
        }
        const QString strShots = strTree + "/DetailImages/" + tool.strENName;
        for (int i = 0; i < tool.vectShotsCH.size(); ++i) {
            const QString strFile = QString("%1_%2.png").arg(tool.strENName).arg(i);
            if (!copyFile(tool.vectShotsCH[i], strShots + "/CH/" + strFile, pError)
                || !copyFile(tool.vectShotsEN[i], strShots + "/EN/" + strFile, pError))
                return false;
        }
        m_mapSizes.insert(tool.iKey, measuredSize(tool.strFolder));
        if (!writePackage(tool.strFolder, strStaging, tool, pError))
            return false;
    }
    const CatalogEntry &program = m_description.program();
    m_mapSizes.insert(program.iKey, measuredSize(program.strFolder));
    if (!writePackage(program.strFolder, strStaging, program, pError))
        return false;

    const CatalogEntry &material = m_description.material();
    m_mapSizes.insert(material.iKey, measuredSize(strTree));
    const QByteArray xml = catalogXml();
    if (!writeFile(strTree + "/ToolsInfoList.xml", xml, pError) || !writeFile(strStaging + "/ToolsInfoList.xml", xml, pError))
        return false;
    if (!writePackage(strTree, strStaging, material, pError))
        return false;
    if (!writeFile(strStaging + "/MaterialVersion.txt", material.strVersion.toUtf8() + "\n", pError))
        return false;
    return writeIndex(strStaging, pError);
}

bool CatalogBuilder::writeIndex(const QString &strStaging, QString *pError)
{
    protocol::CatalogIndex index;
    const quint64 iNow = quint64(QDateTime::currentSecsSinceEpoch());
    index.setSerial(m_signing.iSerial != 0 ? m_signing.iSerial : std::max(iNow, m_iPreviousSerial + 1));
    index.setExpires(QDateTime::currentDateTimeUtc().addDays(m_signing.iValidDays));
    QStringList vectFiles {"MaterialVersion.txt", m_description.material().strDownload, m_description.program().strDownload};
    for (const CatalogEntry &tool : m_description.tools())
        vectFiles.append(tool.strDownload);
    for (const QString &strPath : vectFiles) {
        QFile file(strStaging + "/" + strPath);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
            *pError = QString("cannot read %1").arg(file.fileName());
            return false;
        }
        index.addFile(strPath, file.size(), hash.result());
    }
    const QString strIndex = strStaging + "/" + protocol::CatalogIndex::kFileName;
    if (!writeFile(strIndex, index.toText(), pError))
        return false;
    return m_signing.strSecretKey.isEmpty() || sign(strIndex, m_signing.strSecretKey, pError);
}

bool CatalogBuilder::sign(const QString &strFile, const QString &strSecretKey, QString *pError)
{
    QProcess minisign;
    // The terminal stays ours: a key with a password asks for it there.
    minisign.setProcessChannelMode(QProcess::ForwardedChannels);
    minisign.setInputChannelMode(QProcess::ForwardedInputChannel);
    minisign.start("minisign", {"-S", "-s", strSecretKey, "-m", strFile});
    if (!minisign.waitForStarted(10000)) {
        *pError = QString("cannot run minisign (Debian package minisign): %1").arg(minisign.errorString());
        return false;
    }
    minisign.waitForFinished(-1);
    if (minisign.exitStatus() != QProcess::NormalExit || minisign.exitCode() != 0
        || !QFileInfo::exists(strFile + ".minisig")) {
        *pError = QString("minisign could not sign %1 with %2").arg(strFile, strSecretKey);
        return false;
    }
    return true;
}

bool CatalogBuilder::build(const QString &strOutputDir, QString *pError)
{
    const QFileInfo output(QDir::cleanPath(QDir::current().absoluteFilePath(strOutputDir)));
    const QString strTarget = output.absoluteFilePath();
    if (output.exists()) {
        // Only a catalog (or nothing) is ever replaced: a mistyped target must not wipe a folder.
        const QDir existing(strTarget);
        const bool bEmpty = existing.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty();
        // The build system removes MaterialVersion.txt (its declared output) when the command changes, so
        // the catalog file itself marks a catalog folder too.
        const bool bCatalog = QFileInfo::exists(strTarget + "/MaterialVersion.txt")
                              || QFileInfo::exists(strTarget + "/ToolsInfoList.xml");
        if (!output.isDir() || (!bEmpty && !bCatalog)) {
            *pError = QString("%1 exists and is not a catalog folder; refusing to replace it").arg(strTarget);
            return false;
        }
    }
    if (!QDir().mkpath(output.path())) {
        *pError = QString("cannot create %1").arg(output.path());
        return false;
    }
    removeStaleLeftovers(output.path(), output.fileName());
    {
        // The serial only grows: a rebuilt catalog starts above the one it replaces.
        QFile previous(strTarget + "/" + protocol::CatalogIndex::kFileName);
        protocol::CatalogIndex previousIndex;
        QString strIgnored;
        if (previous.open(QIODevice::ReadOnly) && previousIndex.parse(previous.readAll(), &strIgnored))
            m_iPreviousSerial = previousIndex.serial();
    }
    const QString strPid = QString::number(::getpid());
    const QString strStaging = output.path() + "/." + output.fileName() + ".building-" + strPid;
    const QString strOld = output.path() + "/." + output.fileName() + ".old-" + strPid;
    QDir(strStaging).removeRecursively();
    if (!QDir().mkpath(strStaging)) {
        *pError = QString("cannot create %1").arg(strStaging);
        return false;
    }
    if (!buildInto(strStaging, pError)) {
        QDir(strStaging).removeRecursively();
        return false;
    }
    if (output.exists() && !QDir().rename(strTarget, strOld)) {
        QDir(strStaging).removeRecursively();
        *pError = QString("cannot move the old %1 aside").arg(strTarget);
        return false;
    }
    if (!QDir().rename(strStaging, strTarget)) {
        QDir().rename(strOld, strTarget);
        QDir(strStaging).removeRecursively();
        *pError = QString("cannot move the new catalog to %1").arg(strTarget);
        return false;
    }
    QDir(strOld).removeRecursively();
    return true;
}

} // namespace gearbay
