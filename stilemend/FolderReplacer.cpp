#include "FolderReplacer.h"

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace gearbay {

namespace {

const char kStagedSuffix[] = ".stilemend-new";
const char kBackupSuffix[] = ".stilemend-old";

// Hidden names beside the target, so the program's plugin scan never picks them up.
QString besideName(const QString &strPath, const char *pSuffix)
{
    const QFileInfo info(strPath);
    return info.path() + QStringLiteral("/.") + info.fileName() + QLatin1String(pSuffix);
}

bool existsNoFollow(const QString &strPath)
{
    struct stat st;
    return ::lstat(QFile::encodeName(strPath).constData(), &st) == 0;
}

bool isRealDir(const QString &strPath)
{
    struct stat st;
    return ::lstat(QFile::encodeName(strPath).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool removeEntry(const QString &strPath)
{
    if (isRealDir(strPath))
        return QDir(strPath).removeRecursively();
    return !existsNoFollow(strPath) || ::unlink(QFile::encodeName(strPath).constData()) == 0;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

FolderReplacer::FolderReplacer(
    const QString &strSource, const QString &strTarget, const QStringList &listKeep)
    : m_strSource(QDir::cleanPath(strSource))
    , m_strTarget(QDir::cleanPath(strTarget))
{
    for (const QString &strKeep : listKeep)
        m_listKeep.append(QDir::cleanPath(strKeep));
}

FolderReplacer::~FolderReplacer() = default;

void FolderReplacer::setExecutables(const QStringList &listExecutables)
{
    m_listExecutables = listExecutables;
}

bool FolderReplacer::replace()
{
    m_vectItems.clear();
    m_listCreatedDirs.clear();
    m_strError.clear();
    m_iReplaced = 0;
    if (!collect() || !stage() || !commit()) {
        rollback();
        return false;
    }
    m_iReplaced = int(
        std::count_if(m_vectItems.cbegin(), m_vectItems.cend(), [](const Item &item) { return !item.bDir; }));
    return true;
}

bool FolderReplacer::restore()
{
    return rollback();
}

void FolderReplacer::discardBackups()
{
    for (const Item &item : qAsConst(m_vectItems)) {
        if (item.bBackedUp && !removeEntry(item.strBackup))
            qWarning() << "cannot remove backup" << item.strBackup;
    }
    m_vectItems.clear();
    m_listCreatedDirs.clear();
}

QString FolderReplacer::errorString() const
{
    return m_strError;
}

int FolderReplacer::replacedCount() const
{
    return m_iReplaced;
}

bool FolderReplacer::renameEntry(const QString &strFrom, const QString &strTo)
{
    return ::rename(QFile::encodeName(strFrom).constData(), QFile::encodeName(strTo).constData()) == 0;
}

bool FolderReplacer::collect()
{
    QDirIterator it(m_strSource, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    const QDir source(m_strSource);
    while (it.hasNext()) {
        const QString strPath = it.next();
        const QString strRel = source.relativeFilePath(strPath);
        if (isKept(strRel))
            continue;
        Item item;
        item.strRelPath = strRel;
        item.bDir = it.fileInfo().isDir() && !it.fileInfo().isSymLink();
        m_vectItems.append(item);
    }
    // Directories before their files; the copier's own folder last, so a failure anywhere else
    // is found before the running copier's files are touched.
    auto ownFolder = [](const Item &item) {
        return item.strRelPath == QLatin1String("Stilemend")
            || item.strRelPath.startsWith(QLatin1String("Stilemend/"));
    };
    std::stable_sort(m_vectItems.begin(), m_vectItems.end(), [&](const Item &a, const Item &b) {
        if (ownFolder(a) != ownFolder(b))
            return !ownFolder(a);
        return a.strRelPath.count(QLatin1Char('/')) < b.strRelPath.count(QLatin1Char('/'))
            || (a.strRelPath.count(QLatin1Char('/')) == b.strRelPath.count(QLatin1Char('/'))
                && a.strRelPath < b.strRelPath);
    });
    if (m_vectItems.isEmpty()) {
        fail(QStringLiteral("%1 holds nothing to install").arg(m_strSource));
        return false;
    }
    return true;
}

bool FolderReplacer::stage()
{
    for (Item &item : m_vectItems) {
        const QString strTarget = m_strTarget + QLatin1Char('/') + item.strRelPath;
        if (item.bDir) {
            if (!ensureDir(strTarget))
                return false;
            continue;
        }
        if (!ensureDir(QFileInfo(strTarget).path()))
            return false;
        item.strStaged = besideName(strTarget, kStagedSuffix);
        if (!removeEntry(item.strStaged)) {
            fail(QStringLiteral("cannot remove the stale %1").arg(item.strStaged));
            return false;
        }
        if (!copyEntry(m_strSource + QLatin1Char('/') + item.strRelPath, item.strStaged,
                m_listExecutables.contains(item.strRelPath)))
            return false;
    }
    return true;
}

bool FolderReplacer::commit()
{
    for (Item &item : m_vectItems) {
        if (item.bDir)
            continue;
        const QString strTarget = m_strTarget + QLatin1Char('/') + item.strRelPath;
        if (existsNoFollow(strTarget)) {
            item.strBackup = besideName(strTarget, kBackupSuffix);
            if (!removeEntry(item.strBackup)) {
                fail(QStringLiteral("cannot remove the stale %1").arg(item.strBackup));
                return false;
            }
            if (!renameEntry(strTarget, item.strBackup)) {
                fail(QStringLiteral("cannot move %1 aside: %2").arg(strTarget, systemError()));
                return false;
            }
            item.bBackedUp = true;
        }
        if (!renameEntry(item.strStaged, strTarget)) {
            fail(QStringLiteral("cannot move the new %1 into place: %2").arg(strTarget, systemError()));
            return false;
        }
        item.bInstalled = true;
    }
    return true;
}

bool FolderReplacer::rollback()
{
    QStringList listProblems;
    for (auto it = m_vectItems.rbegin(); it != m_vectItems.rend(); ++it) {
        Item &item = *it;
        if (item.bDir)
            continue;
        const QString strTarget = m_strTarget + QLatin1Char('/') + item.strRelPath;
        if (item.bInstalled) {
            if (removeEntry(strTarget))
                item.bInstalled = false;
            else
                listProblems << QStringLiteral("cannot remove the new %1").arg(strTarget);
        }
        if (item.bBackedUp && !item.bInstalled) {
            if (::rename(
                    QFile::encodeName(item.strBackup).constData(), QFile::encodeName(strTarget).constData())
                == 0)
                item.bBackedUp = false;
            else
                listProblems << QStringLiteral("cannot put back %1: %2").arg(strTarget, systemError());
        }
        if (!item.strStaged.isEmpty() && !removeEntry(item.strStaged))
            listProblems << QStringLiteral("cannot remove %1").arg(item.strStaged);
    }
    for (auto it = m_listCreatedDirs.crbegin(); it != m_listCreatedDirs.crend(); ++it)
        QDir().rmdir(*it);
    m_listCreatedDirs.clear();
    for (const QString &strProblem : qAsConst(listProblems))
        qWarning().noquote() << strProblem;
    if (listProblems.isEmpty())
        m_vectItems.clear();
    else
        m_strError += QStringLiteral("; restoring failed: ") + listProblems.join(QStringLiteral("; "));
    m_iReplaced = 0;
    return listProblems.isEmpty();
}

bool FolderReplacer::ensureDir(const QString &strDir)
{
    if (isRealDir(strDir))
        return true;
    QStringList listMissing;
    QString strPath = QDir::cleanPath(strDir);
    while (!existsNoFollow(strPath)) {
        listMissing.prepend(strPath);
        strPath = QFileInfo(strPath).path();
    }
    if (!isRealDir(strPath)) {
        fail(QStringLiteral("%1 is in the way of the new folder %2").arg(strPath, strDir));
        return false;
    }
    for (const QString &strMissing : qAsConst(listMissing)) {
        if (!QDir().mkdir(strMissing)) {
            fail(QStringLiteral("cannot create %1").arg(strMissing));
            return false;
        }
        m_listCreatedDirs.append(strMissing);
    }
    return true;
}

bool FolderReplacer::copyEntry(const QString &strFrom, const QString &strTo, bool bExecutable)
{
    const QFileInfo info(strFrom);
    if (info.isSymLink()) {
        char buffer[4096];
        const ssize_t iLength
            = ::readlink(QFile::encodeName(strFrom).constData(), buffer, sizeof(buffer) - 1);
        if (iLength < 0
            || ::symlink(QByteArray(buffer, int(iLength)).constData(), QFile::encodeName(strTo).constData())
                != 0) {
            fail(QStringLiteral("cannot copy the link %1 to %2: %3").arg(strFrom, strTo, systemError()));
            return false;
        }
        return true;
    }

    QFile in(strFrom);
    if (!in.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read %1: %2").arg(strFrom, in.errorString()));
        return false;
    }
    QFile out(strTo);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail(QStringLiteral("cannot write %1: %2").arg(strTo, out.errorString()));
        return false;
    }
    QByteArray chunk;
    bool bOk = true;
    while (bOk && !(chunk = in.read(1 << 20)).isEmpty())
        bOk = out.write(chunk) == chunk.size();
    bOk = bOk && in.error() == QFileDevice::NoError && out.flush() && ::fsync(out.handle()) == 0;
    if (!bOk) {
        fail(QStringLiteral("cannot write %1: %2").arg(strTo, out.errorString()));
        out.close();
        out.remove();
        return false;
    }
    out.close();
    QFileDevice::Permissions permissions = in.permissions();
    if (bExecutable) {
        // Whoever may read it may run it.
        permissions |= QFileDevice::ExeOwner | QFileDevice::ExeUser;
        if (permissions & QFileDevice::ReadGroup)
            permissions |= QFileDevice::ExeGroup;
        if (permissions & QFileDevice::ReadOther)
            permissions |= QFileDevice::ExeOther;
    }
    if (!out.setPermissions(permissions)) {
        fail(QStringLiteral("cannot set the permissions of %1").arg(strTo));
        out.remove();
        return false;
    }
    return true;
}

bool FolderReplacer::isKept(const QString &strRelPath) const
{
    for (const QString &strKeep : m_listKeep) {
        if (strRelPath == strKeep || strRelPath.startsWith(strKeep + QLatin1Char('/')))
            return true;
    }
    return false;
}

void FolderReplacer::fail(const QString &strReason)
{
    if (m_strError.isEmpty())
        m_strError = strReason;
    else
        m_strError += QStringLiteral("; ") + strReason;
}

} // namespace gearbay
