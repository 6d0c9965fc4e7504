#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <archive_entry.h>

// One entry of a test package, hostile ones included exactly as given.
struct ArchiveEntry
{
    QString strName;
    QByteArray content;
    unsigned iType = AE_IFREG;
    QString strLink; // symlink target, or hard link target when iType is 0
    qint64 iSparseSize = 0; // when set: a sparse file of this size whose only data is content, at its start
};

// Writes a tar.gz package (or a zip) with libarchive; every entry executable.
bool writeArchive(const QString &strPath, const QVector<ArchiveEntry> &entries, bool bZip = false);
