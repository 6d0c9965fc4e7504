#include "ToolFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace gearbay {

QString toolFolderUnderSubTools(const QString &strDownloadPath, const QString &strFolderName)
{
    if (strDownloadPath.trimmed().isEmpty())
        return QString();
    const QString strName = strFolderName.trimmed();
    if (strName.isEmpty() || strName == "." || strName == ".." || strName.contains('/')
        || strName.contains('\\') || strName.contains(':') || strName.contains(QChar(0)))
        return QString();
    const QString strSubTools = QDir::cleanPath(strDownloadPath + "/SubTools");
    const QString strFolder = QDir::cleanPath(strSubTools + "/" + strName);
    // Belt and braces: the cleaned path must still be a direct child of SubTools.
    if (QFileInfo(strFolder).path() != strSubTools)
        return QString();
    return strFolder;
}

QString setToolFolderAside(
    const QString &strDownloadPath, const QString &strFolderName, FolderRemoval *pResult)
{
    const QString strFolder = toolFolderUnderSubTools(strDownloadPath, strFolderName);
    if (strFolder.isEmpty()) {
        *pResult = FolderRemoval::Refused;
        return QString();
    }
    const QFileInfo info(strFolder);
    if (!info.exists() && !info.isSymLink()) {
        *pResult = FolderRemoval::AlreadyGone;
        return QString();
    }
    // Same folder, hence same file system: the rename is atomic and moves a link, not its target.
    // Ferrodock's own work folders start with ".ferrodock-"; this prefix never meets them.
    for (int i = 0; i < 8; ++i) {
        const QString strAside = info.path() + QStringLiteral("/.removing-") + info.fileName()
            + QLatin1Char('-') + QString::number(QRandomGenerator::global()->generate(), 36);
        if (QFileInfo(strAside).exists() || QFileInfo(strAside).isSymLink())
            continue;
        if (QDir().rename(strFolder, strAside))
            return strAside;
        break;
    }
    // Left in place rather than emptied where a new install may land.
    *pResult = FolderRemoval::Failed;
    return QString();
}

FolderRemoval removeSetAsideFolder(const QString &strFolder)
{
    const QFileInfo info(strFolder);
    if (info.isSymLink()) {
        // A link in place of the folder: remove the link, never what it points to.
        return QFile::remove(strFolder) ? FolderRemoval::Removed : FolderRemoval::Failed;
    }
    if (!info.exists())
        return FolderRemoval::AlreadyGone;
    // QDir::removeRecursively does not descend into symbolic links; it removes the links themselves.
    return QDir(strFolder).removeRecursively() ? FolderRemoval::Removed : FolderRemoval::Failed;
}

FolderRemoval removeToolFolder(const QString &strDownloadPath, const QString &strFolderName)
{
    FolderRemoval emResult = FolderRemoval::Removed;
    const QString strAside = setToolFolderAside(strDownloadPath, strFolderName, &emResult);
    return strAside.isEmpty() ? emResult : removeSetAsideFolder(strAside);
}

} // namespace gearbay
