#pragma once

#include <QString>
#include <QtGlobal>

class QTranslator;

namespace gearbay {

// Whether a process runs whose executable is named exactly exeName (case-sensitive),
// found by a scan of /proc. Returns at once; never waits on another program.
bool isProcessRunning(const QString &exeName);

// Whole GiB (bytes >> 30) free on the file system holding path, asked of its nearest existing
// ancestor so a download path that is not created yet still answers. 0 when it cannot be measured.
qint64 diskFreeSpaceGB(const QString &path);
qint64 wholeGiB(quint64 bytes);

// Copies source's entries (hidden ones skipped) into target, recursively. A missing target is
// created one level deep. Without overwrite an existing file makes the copy fail. Stops at the
// first failure; what was copied stays.
bool copyDirectory(const QString &source, const QString &target, bool overwrite);

// Qt's own texts (its file and message dialogs) in the program's language: for Chinese
// (translator 1) installs qtbase_zh_CN from Qt's translations folder into the application and
// returns it (the application owns it); nullptr for English or when the file is missing.
QTranslator *installQtTranslation(unsigned iTranslator);

} // namespace gearbay
