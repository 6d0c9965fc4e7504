#include "ProcessScan.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace gearbay {

namespace {

QString canonical(const QString &strPath)
{
    const QString strCanonical = QFileInfo(strPath).canonicalFilePath();
    return strCanonical.isEmpty() ? QDir::cleanPath(strPath) : strCanonical;
}

bool runsExecutable(const QString &strProc, const QString &strTarget)
{
    // A replaced or removed binary shows as "<path> (deleted)"; the copy still counts as running.
    QString strExe = QFile::symLinkTarget(strProc + QStringLiteral("/exe"));
    strExe.remove(QStringLiteral(" (deleted)"));
    if (!strExe.isEmpty() && canonical(strExe) == strTarget)
        return true;

    // "#!" executables run as their interpreter with the script path as argv[1].
    QFile cmdline(strProc + QStringLiteral("/cmdline"));
    if (!cmdline.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> args = cmdline.readAll().split('\0');
    if (args.size() < 2 || args.at(1).isEmpty())
        return false;
    const QString strArg = QFile::decodeName(args.at(1));
    const QString strCwd = QFile::symLinkTarget(strProc + QStringLiteral("/cwd"));
    const QString strScript = QDir::isAbsolutePath(strArg) ? strArg : strCwd + QLatin1Char('/') + strArg;
    return canonical(strScript) == strTarget;
}

} // namespace

QList<qint64> ProcessScan::running(const QString &strExecutable)
{
    const QString strTarget = canonical(strExecutable);
    const qint64 iSelf = QCoreApplication::applicationPid();
    QList<qint64> pids;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &strEntry : entries) {
        bool bNumber = false;
        const qint64 iPid = strEntry.toLongLong(&bNumber);
        if (!bNumber || iPid == iSelf)
            continue;
        if (runsExecutable(QStringLiteral("/proc/") + strEntry, strTarget))
            pids.append(iPid);
    }
    return pids;
}

bool ProcessScan::waitUntilGone(const QString &strExecutable, int iTimeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!running(strExecutable).isEmpty()) {
        if (timer.elapsed() >= iTimeoutMs)
            return false;
        QThread::msleep(200);
    }
    return true;
}

} // namespace gearbay
