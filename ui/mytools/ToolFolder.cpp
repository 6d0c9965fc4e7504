#include "ToolFolder.h"

#include <QDir>
#include <QFileInfo>

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

FolderRemoval removeToolFolder(const QString &strDownloadPath, const QString &strFolderName)
{
    const QString strFolder = toolFolderUnderSubTools(strDownloadPath, strFolderName);
    if (strFolder.isEmpty())
        return FolderRemoval::Refused;
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

} // namespace gearbay
