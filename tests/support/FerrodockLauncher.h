#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// Starts Ferrodock for a test: strExecutable (a copy inside a program folder, which it reads) on a free
// loopback port, with HOME set to strHome, none of the machine's proxy variables and the extra
// "NAME=value" entries of strEnvironment; strWrapper, when given, runs it (e.g. prlimit and its options).
// Returns the port only once the server answers HTTP there; 0 when it never did within the bound
// (a few tries, for a port taken between choosing and binding).
int startFerrodock(QProcess &process, const QString &strExecutable, const QString &strHome,
    const QStringList &strEnvironment = QStringList(), const QStringList &strWrapper = QStringList());

// One plain POST to Ferrodock on iPort, as any client would send it: the HTTP status, 0 when no answer came.
long postToFerrodock(int iPort, const QString &strPath, const QByteArray &body, QByteArray *pReply);
