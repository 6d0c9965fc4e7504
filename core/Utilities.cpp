#include "Utilities.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <QXmlStreamReader>

#include <sys/statvfs.h>

namespace gearbay {

namespace {

QByteArray readProcFile(const QString &strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return QByteArray();
    return file.readAll();
}

QString baseName(const QByteArray &path)
{
    const int iSlash = path.lastIndexOf('/');
    return QString::fromLocal8Bit(iSlash < 0 ? path : path.mid(iSlash + 1));
}

// Whether one /proc entry runs an executable named strName. The kernel link names the binary;
// for a script it names the interpreter, so the command line (argv[0], or the script after the
// interpreter, whose name is also the task's comm) is asked too.
bool processHasName(const QString &strProcDir, const QString &strName)
{
    const QByteArray stat = readProcFile(strProcDir + QStringLiteral("/stat"));
    const int iParen = stat.lastIndexOf(')');
    if (iParen < 0 || iParen + 2 >= stat.size() || stat.at(iParen + 2) == 'Z')
        return false;   // gone, or a zombie: not running any more

    QByteArray exe = QFile::symLinkTarget(strProcDir + QStringLiteral("/exe")).toLocal8Bit();
    if (exe.endsWith(" (deleted)"))
        exe.chop(10);
    if (!exe.isEmpty() && baseName(exe) == strName)
        return true;

    const QList<QByteArray> argv = readProcFile(strProcDir + QStringLiteral("/cmdline")).split('\0');
    if (!argv.isEmpty() && baseName(argv.at(0)) == strName)
        return true;
    if (argv.size() > 1 && baseName(argv.at(1)) == strName) {
        QByteArray comm = readProcFile(strProcDir + QStringLiteral("/comm")).trimmed();
        // comm holds at most 15 bytes of the executed file's name.
        return !comm.isEmpty() && strName.toLocal8Bit().startsWith(comm);
    }
    return false;
}

} // namespace

bool isProcessRunning(const QString &exeName)
{
    if (exeName.isEmpty())
        return false;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &strEntry : entries) {
        bool bIsPid = false;
        strEntry.toInt(&bIsPid);
        if (bIsPid && processHasName(QStringLiteral("/proc/") + strEntry, exeName))
            return true;
    }
    return false;
}

qint64 wholeGiB(quint64 bytes)
{
    return static_cast<qint64>(bytes >> 30);
}

qint64 diskFreeSpaceGB(const QString &path)
{
    if (path.isEmpty()) {
        qDebug() << "ERROR: free disk space of an empty path";
        return 0;
    }
    QFileInfo info(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    QString strDir = info.absoluteFilePath();
    while (!QFileInfo::exists(strDir)) {
        const QString strParent = QFileInfo(strDir).path();
        if (strParent == strDir)
            break;
        strDir = strParent;
    }
    struct statvfs fs;
    if (::statvfs(QFile::encodeName(strDir).constData(), &fs) != 0) {
        qDebug().noquote() << "ERROR: statvfs failed for" << strDir;
        return 0;
    }
    // All free blocks of the volume (not only what an unprivileged user may take), as the
    // size checks of downloads and of the download path expect.
    return wholeGiB(static_cast<quint64>(fs.f_bfree) * static_cast<quint64>(fs.f_frsize));
}

bool copyDirectory(const QString &source, const QString &target, bool overwrite)
{
    QDir targetDir(target);
    if (!targetDir.exists() && !targetDir.mkdir(targetDir.absolutePath())) {
        qWarning().noquote() << "copyDirectory: cannot create" << target;
        return false;
    }
    const QFileInfoList entries = QDir(source).entryInfoList();
    for (const QFileInfo &entry : entries) {
        const QString strName = entry.fileName();
        if (strName == QLatin1String(".") || strName == QLatin1String(".."))
            continue;
        const QString strTarget = targetDir.filePath(strName);
        if (entry.isDir()) {
            if (!copyDirectory(entry.filePath(), strTarget, overwrite))
                return false;
            continue;
        }
        if (overwrite && targetDir.exists(strName))
            targetDir.remove(strName);
        if (!QFile::copy(entry.filePath(), strTarget)) {
            qWarning().noquote() << "copyDirectory: cannot copy" << entry.filePath() << "to" << strTarget;
            return false;
        }
    }
    return true;
}

QString toolFolderName(const QString &exeName)
{
    const QString name = exeName.trimmed();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

QString normalizedServerAddress(const QString &address)
{
    QString result = address.trimmed();
    while (result.endsWith(QLatin1Char('/')) && !result.endsWith(QLatin1String(":///")))
        result.chop(1);
    return result;
}

QString catalogFileUrl(const QString &address, const QString &path)
{
    QString relative = path.trimmed();
    while (relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    return normalizedServerAddress(address) + QLatin1Char('/') + relative;
}

QTranslator *installQtTranslation(unsigned iTranslator)
{
    if (iTranslator != 1 || QCoreApplication::instance() == nullptr)
        return nullptr;
    const QString strFolder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    auto *pTranslator = new QTranslator(QCoreApplication::instance());
    if (!pTranslator->load(QStringLiteral("qtbase_zh_CN"), strFolder)) {
        qWarning().noquote() << "---orlenk--- no Qt translation qtbase_zh_CN in" << strFolder;
        delete pTranslator;
        return nullptr;
    }
    QCoreApplication::installTranslator(pTranslator);
    return pTranslator;
}

QVector<QString> readChildTexts(QXmlStreamReader &reader, std::initializer_list<const char *> names)
{
    QVector<QString> texts(int(names.size()));
    QVector<bool> found(int(names.size()), false);
    while (reader.readNextStartElement()) {
        int i = 0;
        for (const char *name : names) {
            if (!found.at(i) && reader.name() == QLatin1String(name))
                break;
            ++i;
        }
        if (i == texts.size()) {
            reader.skipCurrentElement();
            continue;
        }
        found[i] = true;
        const QString strText = reader.readElementText(QXmlStreamReader::IncludeChildElements);
        if (!strText.trimmed().isEmpty())
            texts[i] = strText;
    }
    return texts;
}

} // namespace gearbay
