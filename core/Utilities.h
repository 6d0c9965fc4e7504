#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

#include <initializer_list>

class QTranslator;
class QXmlStreamReader;

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

// The folder under "SubTools" that holds a tool: ExeName, trimmed, without its last extension ("Tool.exe"
// and "Tool" give "Tool"; a leading "." is part of the name, so ".hidden" stays ".hidden"). The program
// and Ferrodock both ask here, so they agree on where a tool lives.
QString toolFolderName(const QString &exeName);

// A server address as configured, trimmed and without trailing "/".
QString normalizedServerAddress(const QString &address);
// The URL of a catalog file: the address and the download path joined by exactly one "/".
QString catalogFileUrl(const QString &address, const QString &path);

// Qt's own texts (its file and message dialogs) in the program's language: for Chinese
// (translator 1) installs qtbase_zh_CN from Qt's translations folder into the application and
// returns it (the application owns it); nullptr for English or when the file is missing.
QTranslator *installQtTranslation(unsigned iTranslator);

// The texts of the named children of the element the reader stands on, in the order of names, read as
// the DOM form reads them: the first child of a name counts, text of white space only and a missing child
// read as empty. Leaves the reader on the element's end.
QVector<QString> readChildTexts(QXmlStreamReader &reader, std::initializer_list<const char *> names);

} // namespace gearbay
