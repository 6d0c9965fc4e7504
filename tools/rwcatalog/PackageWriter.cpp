#include "PackageWriter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <archive.h>
#include <archive_entry.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace gearbay {

namespace {

struct ArchiveCloser
{
    void operator()(archive *p) const { archive_write_free(p); }
};
struct EntryFreer
{
    void operator()(archive_entry *p) const { archive_entry_free(p); }
};

// A fixed time for every entry: the package's bytes must not depend on when the build ran.
constexpr time_t kEntryTime = 1700000000;

QStringList sortedEntries(const QString &strFolder, const QStringList &vectExclude)
{
    QStringList vectRelative;
    QDirIterator it(strFolder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir root(strFolder);
    while (it.hasNext()) {
        it.next();
        const QString strRelative = root.relativeFilePath(it.filePath());
        const bool bExcluded = std::any_of(vectExclude.begin(), vectExclude.end(), [&](const QString &strOut) {
            return strRelative == strOut || strRelative.startsWith(strOut + "/");
        });
        if (!bExcluded)
            vectRelative << strRelative;
    }
    vectRelative.sort();
    return vectRelative;
}

// A link may only point to something inside the package; anything else would escape on extraction.
bool linkStaysInside(const QString &strRelative, const QByteArray &target)
{
    if (target.isEmpty() || target.startsWith('/'))
        return false;
    const QString strJoined = QDir::cleanPath(QFileInfo(strRelative).path() + "/" + QString::fromLocal8Bit(target));
    return !strJoined.startsWith("../") && strJoined != "..";
}

} // namespace

bool PackageWriter::pack(const QString &strFolder, const QString &strArchivePath, QString *pError,
                         const QStringList &vectExclude)
{
    if (!QFileInfo(strFolder).isDir()) {
        *pError = QString("package folder %1 does not exist").arg(strFolder);
        return false;
    }
    QDir().mkpath(QFileInfo(strArchivePath).path());
    const QString strPartial = strArchivePath + ".partial";

    std::unique_ptr<archive, ArchiveCloser> pArchive(archive_write_new());
    archive_write_set_format_pax_restricted(pArchive.get());
    archive_write_add_filter_gzip(pArchive.get());
    // gzip would otherwise stamp the current time into its header.
    archive_write_set_filter_option(pArchive.get(), "gzip", "timestamp", nullptr);
    if (archive_write_open_filename(pArchive.get(), QFile::encodeName(strPartial).constData()) != ARCHIVE_OK) {
        *pError = QString("cannot write %1: %2").arg(strPartial, archive_error_string(pArchive.get()));
        return false;
    }

    auto fail = [&](const QString &strReason) {
        *pError = strReason;
        pArchive.reset();
        QFile::remove(strPartial);
        return false;
    };

    for (const QString &strRelative : sortedEntries(strFolder, vectExclude)) {
        const QString strPath = strFolder + "/" + strRelative;
        const QByteArray nativePath = QFile::encodeName(strPath);
        struct stat st {};
        if (::lstat(nativePath.constData(), &st) != 0)
            return fail(QString("cannot read %1").arg(strPath));

        std::unique_ptr<archive_entry, EntryFreer> pEntry(archive_entry_new());
        archive_entry_set_pathname_utf8(pEntry.get(), strRelative.toUtf8().constData());
        archive_entry_set_mtime(pEntry.get(), kEntryTime, 0);
        archive_entry_set_uid(pEntry.get(), 0);
        archive_entry_set_gid(pEntry.get(), 0);
        // Only the permission bits that matter to a user travel; set-id bits never do.
        archive_entry_set_perm(pEntry.get(), st.st_mode & 0777);

        QByteArray content;
        if (S_ISDIR(st.st_mode)) {
            archive_entry_set_filetype(pEntry.get(), AE_IFDIR);
        } else if (S_ISLNK(st.st_mode)) {
            QByteArray target(4096, '\0');
            const ssize_t n = ::readlink(nativePath.constData(), target.data(), target.size() - 1);
            target.truncate(n > 0 ? int(n) : 0);
            if (!linkStaysInside(strRelative, target))
                return fail(QString("link %1 points outside the package folder").arg(strPath));
            archive_entry_set_filetype(pEntry.get(), AE_IFLNK);
            archive_entry_set_symlink(pEntry.get(), target.constData());
        } else if (S_ISREG(st.st_mode)) {
            QFile file(strPath);
            if (!file.open(QIODevice::ReadOnly))
                return fail(QString("cannot read %1").arg(strPath));
            archive_entry_set_filetype(pEntry.get(), AE_IFREG);
            archive_entry_set_size(pEntry.get(), st.st_size);
            if (archive_write_header(pArchive.get(), pEntry.get()) != ARCHIVE_OK)
                return fail(QString("cannot pack %1: %2").arg(strPath, archive_error_string(pArchive.get())));
            qint64 iWritten = 0;
            while (!file.atEnd()) {
                const QByteArray chunk = file.read(1 << 20);
                if (chunk.isEmpty() || archive_write_data(pArchive.get(), chunk.constData(), chunk.size()) < 0)
                    return fail(QString("cannot pack %1").arg(strPath));
                iWritten += chunk.size();
            }
            if (iWritten != st.st_size)
                return fail(QString("%1 changed while it was packed").arg(strPath));
            continue;
        } else {
            return fail(QString("%1 is not a file, folder or link").arg(strPath));
        }
        if (archive_write_header(pArchive.get(), pEntry.get()) != ARCHIVE_OK)
            return fail(QString("cannot pack %1: %2").arg(strPath, archive_error_string(pArchive.get())));
    }

    if (archive_write_close(pArchive.get()) != ARCHIVE_OK)
        return fail(QString("cannot finish %1: %2").arg(strPartial, archive_error_string(pArchive.get())));
    pArchive.reset();
    QFile::remove(strArchivePath);
    if (!QFile::rename(strPartial, strArchivePath)) {
        QFile::remove(strPartial);
        *pError = QString("cannot move %1 into place").arg(strArchivePath);
        return false;
    }
    return true;
}

QString PackageWriter::writeSha256(const QString &strFilePath, QString *pError)
{
    QFile file(strFilePath);
    if (!file.open(QIODevice::ReadOnly)) {
        *pError = QString("cannot read %1").arg(strFilePath);
        return QString();
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) {
        *pError = QString("cannot read %1").arg(strFilePath);
        return QString();
    }
    const QString strHex = QString::fromLatin1(hash.result().toHex());
    QSaveFile out(strFilePath + ".sha256");
    if (!out.open(QIODevice::WriteOnly)
        || out.write(QString("%1  %2\n").arg(strHex, QFileInfo(strFilePath).fileName()).toUtf8()) < 0
        || !out.commit()) {
        *pError = QString("cannot write %1.sha256").arg(strFilePath);
        return QString();
    }
    return strHex;
}

} // namespace gearbay
