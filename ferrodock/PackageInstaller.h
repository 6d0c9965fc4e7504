#pragma once

#include <QString>

#include <atomic>

namespace gearbay {

// Unpacks a package (tar, possibly compressed, or zip; told by content) into a staging folder and swaps
// the finished folder into place. Every entry is checked before anything is written: one that would land
// outside the staging folder fails the whole package.
class PackageInstaller
{
public:
    enum class Outcome { Ok, Corrupt, Unsafe, WriteError, Cancelled };

    explicit PackageInstaller(const std::atomic_bool *pCancel = nullptr);

    // Extracts strArchive into the existing, empty folder strStaging.
    Outcome extract(const QString &strArchive, const QString &strStaging);

    // Replaces strTarget by strReady (both on one file system). An existing target is first moved to
    // strTrash, so that a failed swap can put it back; strTrash must not exist yet.
    bool swapIntoPlace(const QString &strReady, const QString &strTarget, const QString &strTrash);

    // True when the entry path stays inside its root: relative, no "..", not empty.
    static bool isContainedPath(const QString &strPath);
    // True when a symbolic link at strEntry pointing at strLinkTarget resolves inside the root.
    static bool isContainedLink(const QString &strEntry, const QString &strLinkTarget);

    QString lastDetail() const { return m_strDetail; }

private:
    const std::atomic_bool *m_pCancel;
    QString m_strDetail;
};

} // namespace gearbay
