#pragma once

#include <QList>
#include <QString>

namespace gearbay {

// Finds the running copies of one executable file through /proc, so the copier can wait until
// the program whose files it replaces has gone.
class ProcessScan
{
public:
    // Processes (other than this one) running strExecutable: those whose /proc/<pid>/exe is that
    // file, and those started as a script whose interpreter got that file as its first argument.
    static QList<qint64> running(const QString &strExecutable);
    // Polls until no process runs strExecutable or iTimeoutMs has passed; true when none runs.
    static bool waitUntilGone(const QString &strExecutable, int iTimeoutMs);
};

} // namespace gearbay
