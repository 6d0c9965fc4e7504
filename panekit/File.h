#pragma once

#include <QString>
#include <QStringList>

namespace vellum {

// Small file helpers of the toolkit.
class File
{
public:
    // The texts (UTF-8) of the named files in the directory, concatenated in the given order.
    // A file that cannot be read is skipped with a warning.
    static QString ReadAll(const QStringList &fileNames, const QString &directory);
};

} // namespace vellum
