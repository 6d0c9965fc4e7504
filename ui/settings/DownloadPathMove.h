#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <atomic>

namespace gearbay {

// Moves the installed tools (the download path's SubTools tree) to a new download path without ever
// losing one: everything is copied, the copy is checked file by file, and only then may the original
// go. A failed copy removes what it created and leaves the original untouched. copy(), rollback() and
// removeSource() block; the settings panel runs them on a worker thread.
class DownloadPathMove
{
public:
    enum class Refusal {
        None,
        Downloading, // requests are in flight
        ToolRunning, // an installed tool is open
        LowDiskSpace, // less than 2 GiB free where the tools would go
        NestedTarget, // the new tree would lie inside the old one, or the other way round
    };

    // The checks made before the folder dialog opens.
    static Refusal refusalBeforeChoosing(int iDownloadingCount, bool bToolRunning);
    // The checks made on the chosen folder; iFreeGiB is the free space of its file system.
    static Refusal refusalForTarget(
        const QString &strOldDownloadPath, const QString &strNewDownloadPath, qint64 iFreeGiB);
    // True when the two folders are the same or one lies inside the other (links resolved).
    static bool overlaps(const QString &strFirst, const QString &strSecond);

    // Both are SubTools folders: the old download path's (empty when none was set) and the new one's.
    DownloadPathMove(const QString &strSource, const QString &strTarget);

    // Copies every entry of the source into the target (hidden files and links included, modes kept,
    // files already in the target overwritten) and checks that each source file arrived with its size.
    // A missing source counts as an empty tree. On failure what the copy created is removed again.
    bool copy();
    // Removes what copy() created; files that existed in the target before stay.
    void rollback();
    // Removes the source tree once the copy is in use.
    bool removeSource();

    QString lastError() const { return m_strError; }
    int copiedFiles() const { return m_iCopiedFiles; }

private:
    bool copyTree(const QString &strSource, const QString &strTarget);
    bool copyFile(const QString &strSource, const QString &strTarget);
    bool verifyTree(const QString &strSource, const QString &strTarget);
    bool fail(const QString &strError);

    QString m_strSource;
    QString m_strTarget;
    QStringList m_strCreatedFiles;
    QStringList m_strCreatedDirs;
    QString m_strError;
    int m_iCopiedFiles = 0;
};

} // namespace gearbay
