#include "ArchiveWriter.h"

#include <QFile>

#include <archive.h>
#include <sys/sysmacros.h>

bool writeArchive(const QString &strPath, const QVector<ArchiveEntry> &entries, bool bZip)
{
    archive *pWriter = archive_write_new();
    if (bZip) {
        archive_write_set_format_zip(pWriter);
    } else {
        archive_write_set_format_pax_restricted(pWriter);
        archive_write_add_filter_gzip(pWriter);
    }
    if (archive_write_open_filename(pWriter, QFile::encodeName(strPath).constData()) != ARCHIVE_OK) {
        archive_write_free(pWriter);
        return false;
    }
    for (const ArchiveEntry &item : entries) {
        archive_entry *pEntry = archive_entry_new();
        archive_entry_set_pathname(pEntry, item.strName.toUtf8().constData());
        if (item.iType == 0) {
            archive_entry_set_filetype(pEntry, AE_IFREG);
            archive_entry_set_hardlink(pEntry, item.strLink.toUtf8().constData());
        } else {
            archive_entry_set_filetype(pEntry, item.iType);
        }
        archive_entry_set_perm(pEntry, 0755);
        if (item.iType == AE_IFLNK)
            archive_entry_set_symlink(pEntry, item.strLink.toUtf8().constData());
        if (item.iType == AE_IFCHR)
            archive_entry_set_rdev(pEntry, makedev(1, 3));
        if (item.iType == AE_IFREG)
            archive_entry_set_size(pEntry, qMax(item.iSparseSize, qint64(item.content.size())));
        if (item.iSparseSize > 0)
            archive_entry_sparse_add_entry(pEntry, 0, item.content.size());
        // Not checked: a hostile entry is written as far as libarchive lets it.
        archive_write_header(pWriter, pEntry);
        if (item.iType == AE_IFREG)
            archive_write_data(pWriter, item.content.constData(), size_t(item.content.size()));
        archive_entry_free(pEntry);
    }
    const bool bOk = archive_write_close(pWriter) == ARCHIVE_OK;
    archive_write_free(pWriter);
    return bOk;
}
