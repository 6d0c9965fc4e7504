// Stilemend, the self-update copier. The program starts it as
//   <program folder>/Stilemend/Stilemend <its own path> "Rig Warden"
// and exits. The program folder is the parent of the folder this executable runs from (its own
// path argument is only logged: the running binary's location cannot be mistaken); the second
// argument names the marker folder in the home directory that holds the new program folder.
#include "UpdateHandOver.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>

namespace {

QFile *g_pLogFile = nullptr;

// Nobody watches a copier started detached, so its messages also go to a log beside it.
void logMessage(QtMsgType type, const QMessageLogContext &, const QString &strMessage)
{
    static const char *const levels[] = { "debug", "warning", "critical", "fatal", "info" };
    const QString strLine = QStringLiteral("%1 %2: %3\n")
                                .arg(QDateTime::currentDateTime().toString(Qt::ISODate),
                                    QLatin1String(levels[int(type) < 5 ? int(type) : 0]), strMessage);
    const QByteArray line = strLine.toLocal8Bit();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    if (g_pLogFile != nullptr) {
        g_pLogFile->write(line);
        g_pLogFile->flush();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString strCopierDir = QCoreApplication::applicationDirPath();

    QFile logFile(strCopierDir + QStringLiteral("/Stilemend.log"));
    if (logFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        g_pLogFile = &logFile;
    qInstallMessageHandler(logMessage);

    const QStringList args = QCoreApplication::arguments();
    const QString strMarkerName = args.size() > 2 ? args.at(2) : QStringLiteral("Rig Warden");
    qInfo().noquote() << "started as" << (args.size() > 1 ? args.at(1) : args.value(0));

    const QString strMarkerDir = gearbay::UpdateHandOver::markerDirFor(strMarkerName);
    if (strMarkerDir.isEmpty())
        qWarning().noquote() << "unusable marker name" << strMarkerName;
    gearbay::UpdateHandOver handOver(gearbay::UpdateHandOver::programDirFor(strCopierDir), strMarkerDir);
    const int iResult = handOver.run();

    qInstallMessageHandler(nullptr);
    g_pLogFile = nullptr;
    return iResult;
}
