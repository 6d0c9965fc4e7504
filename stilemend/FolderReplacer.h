#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace gearbay {

// Lays a new program folder over the installed one as one undoable step: every file is first
// written beside its target under a temporary name, then the old file is renamed aside as a
// backup and the new one renamed into place. Any failure renames everything back, so the old
// folder is left exactly as it was.
class FolderReplacer
{
public:
    // strSource: the new program folder; strTarget: the installed one. Paths in listKeep,
    // relative to strTarget, are never written (the user's data): entries of the new folder at or
    // under them are left out.
    FolderReplacer(const QString &strSource, const QString &strTarget, const QStringList &listKeep);
    virtual ~FolderReplacer();

    // Files (relative paths) installed executable whatever mode the package gave them: a zip
    // package does not always carry the mode bits.
    void setExecutables(const QStringList &listExecutables);

    // Copies every file of the new folder over the old one; on failure the old folder is restored
    // and the reason is in errorString().
    bool replace();
    // Puts the old folder back after a successful replace (while the backups still exist).
    bool restore();
    // Deletes the backups once the new folder has proved itself; restore() is no longer possible.
    void discardBackups();

    QString errorString() const;
    // Files written by the last successful replace().
    int replacedCount() const;

protected:
    // Every move of the swap goes through here: an atomic rename(2), which also works over the
    // file of a running executable.
    virtual bool renameEntry(const QString &strFrom, const QString &strTo);

private:
    struct Item
    {
        QString strRelPath;
        bool bDir = false;
        QString strStaged; // temporary copy beside the target
        QString strBackup; // the old entry, renamed aside
        bool bBackedUp = false;
        bool bInstalled = false;
    };

    bool collect();
    bool stage();
    bool commit();
    bool rollback();
    bool ensureDir(const QString &strDir);
    bool copyEntry(const QString &strFrom, const QString &strTo, bool bExecutable);
    bool isKept(const QString &strRelPath) const;
    void fail(const QString &strReason);

    QString m_strSource;
    QString m_strTarget;
    QStringList m_listKeep;
    QStringList m_listExecutables;
    QVector<Item> m_vectItems;
    QStringList m_listCreatedDirs;
    QString m_strError;
    int m_iReplaced = 0;
};

} // namespace gearbay
