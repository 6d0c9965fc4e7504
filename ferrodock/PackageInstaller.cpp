#include "PackageInstaller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

#include <archive.h>
#include <archive_entry.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace gearbay {

namespace {

struct ArchiveCloser
{
    void operator()(archive *pReader) const { archive_read_free(pReader); }
};

QString entryName(archive_entry *pEntry)
{
    const char *pUtf8 = archive_entry_pathname_utf8(pEntry);
    if (pUtf8)
        return QString::fromUtf8(pUtf8);
    const char *pRaw = archive_entry_pathname(pEntry);
    return pRaw ? QFile::decodeName(pRaw) : QString();
}

} // namespace

PackageInstaller::PackageInstaller(const std::atomic_bool *pCancel)
    : m_pCancel(pCancel)
{
}

bool PackageInstaller::isContainedPath(const QString &strPath)
{
    if (strPath.isEmpty() || strPath.startsWith(QLatin1Char('/')) || strPath.contains(QLatin1Char('\\')))
        return false;
    const QStringList parts = strPath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return !parts.isEmpty() && !parts.contains(QStringLiteral(".."));
}

bool PackageInstaller::isContainedLink(const QString &strEntry, const QString &strLinkTarget)
{
    if (strLinkTarget.isEmpty() || strLinkTarget.startsWith(QLatin1Char('/')))
        return false;
    // Walk from the link's own folder; the depth must never drop below the root.
    QStringList parts = strEntry.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!parts.isEmpty())
        parts.removeLast();
    for (const QString &part : strLinkTarget.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (parts.isEmpty())
                return false;
            parts.removeLast();
        } else {
            parts.append(part);
        }
    }
    return true;
}

PackageInstaller::Outcome PackageInstaller::extract(const QString &strArchive, const QString &strStaging)
{
    std::unique_ptr<archive, ArchiveCloser> reader(archive_read_new());
    archive_read_support_format_tar(reader.get());
    archive_read_support_format_gnutar(reader.get());
    archive_read_support_format_zip(reader.get());
    archive_read_support_filter_all(reader.get());
    if (archive_read_open_filename(reader.get(), QFile::encodeName(strArchive).constData(), 256 * 1024)
        != ARCHIVE_OK) {
        m_strDetail = QStringLiteral("not a package: %1").arg(QString::fromUtf8(archive_error_string(reader.get())));
        return Outcome::Corrupt;
    }

    archive *pWriter = archive_write_disk_new();
    // Paths are made absolute below the staging folder, so libarchive's own symlink and absolute-path
    // guards would trip over the staging folder's ancestors; the checks here take their place.
    archive_write_disk_set_options(pWriter, ARCHIVE_EXTRACT_TIME | ARCHIVE_EXTRACT_PERM
                                                | ARCHIVE_EXTRACT_SECURE_NODOTDOT);
    struct WriterCloser
    {
        archive *p;
        ~WriterCloser() { archive_write_free(p); }
    } writerCloser{pWriter};

    const QString strRoot = QDir(strStaging).absolutePath() + QLatin1Char('/');
    // What the entries declare must fit on the disk: a huge declared size (a sparse file, a bomb) is
    // refused before its first byte is written, instead of filling the disk for the other programs.
    struct statvfs disk;
    const qint64 iFree = ::statvfs(QFile::encodeName(strStaging).constData(), &disk) == 0
                             ? qint64(disk.f_bavail) * qint64(disk.f_frsize)
                             : std::numeric_limits<qint64>::max();
    qint64 iDeclared = 0;
    int iEntries = 0;
    QSet<QString> setLinks;
    QVector<QPair<QString, QString>> vectLinkTargets;
    QStringList vectNames;
    // Nothing may be written through a link of the package itself, nor may a link lead through another
    // link: chained links defeat any textual check of where they point.
    auto passesLink = [&setLinks](const QString &strPath) {
        const QStringList parts = strPath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        QString strPrefix;
        for (int i = 0; i + 1 < parts.size(); ++i) {
            strPrefix += (i ? QStringLiteral("/") : QString()) + parts.at(i);
            if (setLinks.contains(strPrefix))
                return true;
        }
        return false;
    };
    archive_entry *pEntry = nullptr;
    for (;;) {
        if (m_pCancel && m_pCancel->load())
            return Outcome::Cancelled;
        const int iRead = archive_read_next_header(reader.get(), &pEntry);
        if (iRead == ARCHIVE_EOF)
            break;
        if (iRead < ARCHIVE_WARN) {
            m_strDetail = QStringLiteral("damaged package: %1").arg(QString::fromUtf8(archive_error_string(reader.get())));
            return Outcome::Corrupt;
        }
        QString strName = entryName(pEntry);
        while (strName.startsWith(QStringLiteral("./")))
            strName = strName.mid(2);
        if (strName.isEmpty() || strName == QLatin1String("."))
            continue;
        if (!isContainedPath(strName)) {
            m_strDetail = QStringLiteral("entry outside the folder: %1").arg(strName);
            return Outcome::Unsafe;
        }
        while (strName.endsWith(QLatin1Char('/')))
            strName.chop(1);
        if (passesLink(strName)) {
            m_strDetail = QStringLiteral("entry through a link: %1").arg(strName);
            return Outcome::Unsafe;
        }
        const char *pHard = archive_entry_hardlink(pEntry);
        const mode_t iType = archive_entry_filetype(pEntry);
        if (iType == AE_IFREG && archive_entry_size_is_set(pEntry)) {
            const qint64 iSize = qint64(archive_entry_size(pEntry));
            if (iSize < 0 || iSize > iFree - iDeclared) {
                m_strDetail = QStringLiteral("entry %1 declares %2 bytes, more than the %3 free").arg(strName).arg(iSize).arg(iFree - iDeclared);
                return Outcome::Unsafe;
            }
            iDeclared += iSize;
        }
        // Hard links carry no type of their own in some formats; their target is checked below.
        if (!pHard && iType != AE_IFREG && iType != AE_IFDIR && iType != AE_IFLNK) {
            m_strDetail = QStringLiteral("special file refused: %1").arg(strName);
            return Outcome::Unsafe;
        }
        if (iType == AE_IFLNK) {
            const char *pTarget = archive_entry_symlink(pEntry);
            if (!pTarget || !isContainedLink(strName, QFile::decodeName(pTarget))) {
                m_strDetail = QStringLiteral("link pointing outside the folder: %1").arg(strName);
                return Outcome::Unsafe;
            }
            setLinks.insert(strName);
            vectLinkTargets.append({strName, QFile::decodeName(pTarget)});
        }
        vectNames.append(strName);
        if (pHard) {
            QString strHard = QFile::decodeName(pHard);
            while (strHard.startsWith(QStringLiteral("./")))
                strHard = strHard.mid(2);
            if (!isContainedPath(strHard)) {
                m_strDetail = QStringLiteral("hard link pointing outside the folder: %1").arg(strName);
                return Outcome::Unsafe;
            }
            archive_entry_set_hardlink(pEntry, QFile::encodeName(strRoot + strHard).constData());
        }
        archive_entry_set_pathname(pEntry, QFile::encodeName(strRoot + strName).constData());
        // Set-id bits from a download have no business on this machine.
        archive_entry_set_perm(pEntry, archive_entry_perm(pEntry) & 0777);

        if (archive_write_header(pWriter, pEntry) < ARCHIVE_WARN) {
            m_strDetail = QStringLiteral("cannot write %1: %2").arg(strName, QString::fromUtf8(archive_error_string(pWriter)));
            return archive_errno(pWriter) == ENOSPC || archive_errno(pWriter) == EFBIG
                            || archive_errno(pWriter) == EACCES || archive_errno(pWriter) == EROFS
                        ? Outcome::WriteError
                        : Outcome::Unsafe;
        }
        if (archive_entry_size(pEntry) > 0 && iType == AE_IFREG) {
            const void *pBlock = nullptr;
            size_t iSize = 0;
            la_int64_t iOffset = 0;
            for (;;) {
                const int iData = archive_read_data_block(reader.get(), &pBlock, &iSize, &iOffset);
                if (iData == ARCHIVE_EOF)
                    break;
                if (iData < ARCHIVE_WARN) {
                    m_strDetail = QStringLiteral("damaged package: %1").arg(QString::fromUtf8(archive_error_string(reader.get())));
                    return Outcome::Corrupt;
                }
                if (archive_write_data_block(pWriter, pBlock, iSize, iOffset) < ARCHIVE_WARN) {
                    m_strDetail = QStringLiteral("cannot write %1: %2").arg(strName, QString::fromUtf8(archive_error_string(pWriter)));
                    return Outcome::WriteError;
                }
                if (m_pCancel && m_pCancel->load())
                    return Outcome::Cancelled;
            }
        }
        if (archive_write_finish_entry(pWriter) < ARCHIVE_WARN) {
            m_strDetail = QStringLiteral("cannot finish %1: %2").arg(strName, QString::fromUtf8(archive_error_string(pWriter)));
            return Outcome::WriteError;
        }
        ++iEntries;
    }
    if (archive_write_close(pWriter) != ARCHIVE_OK) {
        m_strDetail = QStringLiteral("cannot finish the folder: %1").arg(QString::fromUtf8(archive_error_string(pWriter)));
        return Outcome::WriteError;
    }
    for (const QString &strName : vectNames) {
        if (passesLink(strName)) {
            m_strDetail = QStringLiteral("entry through a link: %1").arg(strName);
            return Outcome::Unsafe;
        }
    }
    for (const auto &link : vectLinkTargets) {
        QStringList parts = link.first.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        parts.removeLast();
        const QStringList steps = link.second.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        // Only the steps before the last matter: ending on another link (lib.so -> lib.so.1) is fine,
        // since that link was checked from its own place.
        for (int i = 0; i + 1 < steps.size(); ++i) {
            const QString &part = steps.at(i);
            if (part == QLatin1String("."))
                continue;
            if (part == QLatin1String(".."))
                parts.removeLast();
            else
                parts.append(part);
            if (setLinks.contains(parts.join(QLatin1Char('/')))) {
                m_strDetail = QStringLiteral("link leading through another link: %1").arg(link.first);
                return Outcome::Unsafe;
            }
        }
    }
    if (iEntries == 0) {
        m_strDetail = QStringLiteral("empty package");
        return Outcome::Corrupt;
    }
    return Outcome::Ok;
}

bool PackageInstaller::swapIntoPlace(const QString &strReady, const QString &strTarget, const QString &strTrash)
{
    const QByteArray ready = QFile::encodeName(strReady);
    const QByteArray target = QFile::encodeName(strTarget);
    const QByteArray trash = QFile::encodeName(strTrash);
    const bool bHadTarget = QFileInfo::exists(strTarget) || QFileInfo(strTarget).isSymLink();
    if (bHadTarget && ::rename(target.constData(), trash.constData()) != 0) {
        m_strDetail = QStringLiteral("cannot move the old %1 aside: %2").arg(strTarget, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    if (::rename(ready.constData(), target.constData()) != 0) {
        m_strDetail = QStringLiteral("cannot move the new %1 into place: %2").arg(strTarget, QString::fromLocal8Bit(strerror(errno)));
        if (bHadTarget)
            ::rename(trash.constData(), target.constData());
        return false;
    }
    return true;
}

} // namespace gearbay
