#pragma once

#include <QMetaType>
#include <QString>

namespace gearbay {

// The installed folder of a tool: <download path>/SubTools/<folder>. Empty (refused) when the
// download path is empty or the folder name could reach anything but one direct child of SubTools
// (empty, ".", "..", a separator, a drive or a NUL), so that deleting it can never touch other files.
QString toolFolderUnderSubTools(const QString &strDownloadPath, const QString &strFolderName);

// Result of removing a tool's folder.
enum class FolderRemoval {
    Removed,
    AlreadyGone,
    Refused, // the folder name would leave SubTools; nothing was touched
    Failed, // some entries could not be removed (read-only, in use); the rest are gone
};

// Renames the tool's folder to a hidden name beside it, so that a new install can take the
// folder's place at once and a removal still running never touches it. One rename: quick enough
// for the GUI thread. Returns the new path, or empty with *pResult saying why nothing was moved.
QString setToolFolderAside(
    const QString &strDownloadPath, const QString &strFolderName, FolderRemoval *pResult);

// Removes a folder set aside (or a link in its place) and everything under it without following
// symbolic links out of it. Blocks on the disk: run it off the GUI thread.
FolderRemoval removeSetAsideFolder(const QString &strFolder);

// Both steps at once.
FolderRemoval removeToolFolder(const QString &strDownloadPath, const QString &strFolderName);

} // namespace gearbay

Q_DECLARE_METATYPE(gearbay::FolderRemoval)
