#pragma once

#include <QString>
#include <QStringList>

namespace gearbay {

// Packs the content of one folder into a reproducible tar.gz: the folder's files sit at the archive's
// root, modes (the executable bit above all) are kept, owners and times are not, so the same input
// always gives the same bytes and the same checksum.
class PackageWriter
{
public:
    // False with a reason in *pError; a failed call leaves no file at strArchivePath.
    // vectExclude: paths relative to the folder that stay out, with everything below them.
    static bool pack(const QString &strFolder, const QString &strArchivePath, QString *pError,
                     const QStringList &vectExclude = QStringList());

    // Writes "<hex>  <file name>\n" beside the file, as sha256sum prints it, and returns the digest.
    static QString writeSha256(const QString &strFilePath, QString *pError);
};

} // namespace gearbay
