#pragma once

#include <QString>
#include <QStringList>

namespace gearbay {

// Reads and rewrites one key of Setup.xml in place: only the text of that key's Value element
// changes, every other byte of the user's file stays as it was, and the write is atomic.
class SetupValueFile
{
public:
    // The text of <root><key><Value>text</Value></key></root> (first such key); false when the
    // file does not parse or holds no such key.
    static bool read(const QString &strPath, const QString &strKey, QString *pValue);
    // Replaces that text with strValue; false with a reason when the file cannot be read or
    // parsed, the key is missing (a key is never added) or the save fails.
    static bool write(
        const QString &strPath, const QString &strKey, const QString &strValue, QString *pError = nullptr);
    // Appends to strPath, as they stand in strShippedPath, the keys a new version ships that the
    // user's file lacks (the program itself never adds a key); existing keys keep their values.
    static bool addMissingKeys(const QString &strPath, const QString &strShippedPath, QStringList *pAdded,
        QString *pError = nullptr);
};

} // namespace gearbay
