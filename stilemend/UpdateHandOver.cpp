#include "UpdateHandOver.h"

#include "FolderReplacer.h"
#include "ProcessScan.h"
#include "SetupValueFile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace gearbay {

const QString UpdateHandOver::strProgramName = QStringLiteral("RigWarden");

namespace {

const QString kSetupFile = QStringLiteral("Setup.xml");

bool isInside(const QString &strPath, const QString &strDir)
{
    return strPath == strDir || strPath.startsWith(strDir + QLatin1Char('/'));
}

QString resolved(const QString &strPath)
{
    const QString strCanonical = QFileInfo(strPath).canonicalFilePath();
    return strCanonical.isEmpty() ? QDir::cleanPath(QFileInfo(strPath).absoluteFilePath()) : strCanonical;
}

// The mode bit is not asked for: it is set on install, and a program that does not start is
// caught when it is started.
bool isProgramFile(const QString &strPath)
{
    const QFileInfo info(strPath);
    return info.isFile() && info.size() > 0;
}

} // namespace

UpdateHandOver::UpdateHandOver(const QString &strProgramDir, const QString &strMarkerDir)
    : m_strProgramDir(resolved(strProgramDir))
    , m_strMarkerDir(
          strMarkerDir.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(strMarkerDir).absoluteFilePath()))
{
}

void UpdateHandOver::setWaitTimeout(int iMs)
{
    m_iWaitTimeoutMs = iMs;
}

void UpdateHandOver::setProbeTime(int iMs)
{
    m_iProbeMs = iMs;
}

QString UpdateHandOver::programDirFor(const QString &strCopierDir)
{
    return resolved(strCopierDir + QStringLiteral("/.."));
}

QString UpdateHandOver::markerDirFor(const QString &strMarkerName)
{
    if (strMarkerName.isEmpty() || strMarkerName.contains(QLatin1Char('/'))
        || strMarkerName == QLatin1String(".") || strMarkerName == QLatin1String(".."))
        return QString();
    return QDir::homePath() + QLatin1Char('/') + strMarkerName;
}

UpdateHandOver::Result UpdateHandOver::run()
{
    const QString strSetup = m_strProgramDir + QLatin1Char('/') + kSetupFile;
    const QString strProgram = m_strProgramDir + QLatin1Char('/') + strProgramName;
    // Run by hand from anywhere else, the copier must not lay files over an unrelated folder.
    if (!QFileInfo::exists(strSetup) && !QFileInfo::exists(strProgram)) {
        qWarning().noquote() << m_strProgramDir << "is not a program folder; nothing done";
        return NotProgramFolder;
    }
    qInfo().noquote() << "program folder" << m_strProgramDir << "marker folder" << m_strMarkerDir;

    // Files of a running program are never replaced: its next start hands over again.
    if (!ProcessScan::waitUntilGone(strProgram, m_iWaitTimeoutMs)) {
        qWarning() << "the program still runs after" << m_iWaitTimeoutMs
                   << "ms; update left pending for its next start";
        return StillRunning;
    }

    QString strDownloadPath;
    SetupValueFile::read(strSetup, QStringLiteral("DownloadPath"), &strDownloadPath);
    const bool bMarkerUnsafe = markerOverlapsUserData(strDownloadPath);

    const QString strNewProgram = bMarkerUnsafe ? QString() : findNewProgram();
    FolderReplacer replacer(strNewProgram, m_strProgramDir, keptPaths(strDownloadPath));
    replacer.setExecutables(
        { strProgramName, QStringLiteral("Ferrodock"), QStringLiteral("Stilemend/Stilemend") });
    bool bInstalled = false;
    if (bMarkerUnsafe) {
        qWarning().noquote()
            << "the marker folder overlaps the program folder or the download path; not used";
    } else if (strNewProgram.isEmpty()) {
        qWarning().noquote() << "no new program found in" << m_strMarkerDir;
    } else if (replacer.replace()) {
        bInstalled = true;
        qInfo() << "installed" << replacer.replacedCount() << "files";
        addNewSettings(strNewProgram + QLatin1Char('/') + kSetupFile);
    } else {
        qWarning().noquote() << "update not installed, old program kept:" << replacer.errorString();
    }

    // Both before any start: the program hands over only while the flag is set and the marker
    // exists, so even a flag that cannot be cleared (read-only Setup.xml) cannot start a loop.
    // The backups for a restore lie beside the program files, not in the marker.
    clearUpdateFlag();
    if (!bMarkerUnsafe)
        removeMarker();

    Result result = KeptOld;
    if (bInstalled) {
        if (startChecked(strProgram)) {
            result = Installed;
            replacer.discardBackups();
        } else {
            qWarning() << "the new program does not start; putting the old one back";
            if (!replacer.restore())
                qWarning().noquote() << "restoring failed:" << replacer.errorString();
        }
    }
    if (result != Installed && !startDetached(strProgram))
        result = NotStarted;
    return result;
}

QString UpdateHandOver::findNewProgram() const
{
    if (m_strMarkerDir.isEmpty())
        return QString();
    if (isProgramFile(m_strMarkerDir + QLatin1Char('/') + strProgramName))
        return m_strMarkerDir;
    // A package may hold the program folder one level down.
    const QStringList listDirs = QDir(m_strMarkerDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (listDirs.size() == 1) {
        const QString strInner = m_strMarkerDir + QLatin1Char('/') + listDirs.first();
        if (isProgramFile(strInner + QLatin1Char('/') + strProgramName))
            return strInner;
    }
    return QString();
}

QStringList UpdateHandOver::keptPaths(const QString &strDownloadPath) const
{
    // Never shipped over: the pending catalog, installed tools and the default download folder.
    QStringList listKept { QStringLiteral("ToolsFileTemp"), QStringLiteral("SubTools"),
        QStringLiteral("Download") };
    // The user's settings, state and catalog stay; a program folder lacking them gets the new ones.
    for (const QString &strName :
        { kSetupFile, QStringLiteral("ToolsStateList.xml"), QStringLiteral("ToolsFile"),
            QStringLiteral("CatalogSerial.txt") }) {
        if (QFileInfo::exists(m_strProgramDir + QLatin1Char('/') + strName))
            listKept.append(strName);
    }
    if (!strDownloadPath.isEmpty()) {
        const QString strDownload = resolved(QDir(m_strProgramDir).absoluteFilePath(strDownloadPath));
        if (isInside(strDownload, m_strProgramDir) && strDownload != m_strProgramDir)
            listKept.append(QDir(m_strProgramDir).relativeFilePath(strDownload));
    }
    return listKept;
}

bool UpdateHandOver::markerOverlapsUserData(const QString &strDownloadPath) const
{
    if (m_strMarkerDir.isEmpty())
        return false;
    const QString strMarker = resolved(m_strMarkerDir);
    if (isInside(m_strProgramDir, strMarker) || isInside(strMarker, m_strProgramDir))
        return true;
    if (strDownloadPath.isEmpty())
        return false;
    const QString strDownload = resolved(QDir(m_strProgramDir).absoluteFilePath(strDownloadPath));
    return isInside(strDownload, strMarker) || isInside(strMarker, strDownload);
}

void UpdateHandOver::addNewSettings(const QString &strShippedSetup) const
{
    if (!QFileInfo::exists(strShippedSetup))
        return;
    QStringList listAdded;
    QString strError;
    if (!SetupValueFile::addMissingKeys(
            m_strProgramDir + QLatin1Char('/') + kSetupFile, strShippedSetup, &listAdded, &strError))
        qWarning().noquote() << "new settings not added:" << strError;
    else if (!listAdded.isEmpty())
        qInfo().noquote() << "new settings added:" << listAdded.join(QStringLiteral(", "));
}

void UpdateHandOver::clearUpdateFlag() const
{
    const QString strSetup = m_strProgramDir + QLatin1Char('/') + kSetupFile;
    QString strError;
    if (!SetupValueFile::write(strSetup, QStringLiteral("IsNeedUpdate"), QStringLiteral("0"), &strError))
        qWarning().noquote() << "cannot clear IsNeedUpdate:" << strError;
}

bool UpdateHandOver::startChecked(const QString &strExecutable) const
{
    // Deliberately never deleted while the program runs: destroying a QProcess kills its child.
    auto *pProcess = new QProcess;
    pProcess->setProgram(strExecutable);
    pProcess->setWorkingDirectory(m_strProgramDir);
    pProcess->setProcessChannelMode(QProcess::ForwardedChannels);
    pProcess->setInputChannelMode(QProcess::ForwardedInputChannel);
    pProcess->start();
    if (!pProcess->waitForStarted(10000)) {
        qWarning().noquote() << "cannot start" << strExecutable << ":" << pProcess->errorString();
        delete pProcess;
        return false;
    }
    if (!pProcess->waitForFinished(m_iProbeMs)) {
        qInfo().noquote() << "started" << strExecutable;
        return true;
    }
    const bool bOk = pProcess->exitStatus() == QProcess::NormalExit && pProcess->exitCode() == 0;
    qInfo().noquote() << strExecutable << "ended at once with code" << pProcess->exitCode()
                      << (pProcess->exitStatus() == QProcess::CrashExit ? "(crashed)" : "");
    delete pProcess;
    return bOk;
}

bool UpdateHandOver::startDetached(const QString &strExecutable) const
{
    if (QProcess::startDetached(strExecutable, QStringList(), m_strProgramDir)) {
        qInfo().noquote() << "started" << strExecutable;
        return true;
    }
    qWarning().noquote() << "cannot start" << strExecutable;
    return false;
}

void UpdateHandOver::removeMarker() const
{
    if (m_strMarkerDir.isEmpty())
        return;
    const QFileInfo info(m_strMarkerDir);
    // A marker that is a link goes as a link: what it points at is not ours to delete.
    if (info.isSymLink()) {
        if (!QFile::remove(m_strMarkerDir))
            qWarning().noquote() << "cannot remove" << m_strMarkerDir;
        return;
    }
    if (info.isDir() && !QDir(m_strMarkerDir).removeRecursively())
        qWarning().noquote() << "cannot remove" << m_strMarkerDir;
}

} // namespace gearbay
