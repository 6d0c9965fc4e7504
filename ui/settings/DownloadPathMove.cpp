#include "DownloadPathMove.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace gearbay {

namespace {

const qint64 kMinFreeGiB = 2;

// The path as the file system sees it: links resolved as far as the path exists, so that a folder
// reached through a link is still recognised as the same folder.
QString resolvedPath(const QString &strPath)
{
    QFileInfo info(QDir::cleanPath(QDir(strPath).absolutePath()));
    QStringList tail;
    while (!info.exists() && !info.isRoot() && !info.fileName().isEmpty()) {
        tail.prepend(info.fileName());
        info = QFileInfo(info.absolutePath());
    }
    QString strBase = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    for (const QString &part : qAsConst(tail))
        strBase += QLatin1Char('/') + part;
    return QDir::cleanPath(strBase);
}

bool isSameOrInside(const QString &strInner, const QString &strOuter)
{
    if (strInner == strOuter)
        return true;
    const QString strPrefix = strOuter.endsWith(QLatin1Char('/')) ? strOuter : strOuter + QLatin1Char('/');
    return strInner.startsWith(strPrefix);
}

QString linkText(const QString &strPath)
{
    QByteArray buffer(4096, '\0');
    const ssize_t iLength = ::readlink(QFile::encodeName(strPath).constData(), buffer.data(), buffer.size());
    return iLength < 0 ? QString() : QFile::decodeName(buffer.left(int(iLength)));
}

const QDir::Filters kEverything = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

} // namespace

DownloadPathMove::Refusal DownloadPathMove::refusalBeforeChoosing(int iDownloadingCount, bool bToolRunning)
{
    if (iDownloadingCount != 0)
        return Refusal::Downloading;
    return bToolRunning ? Refusal::ToolRunning : Refusal::None;
}

DownloadPathMove::Refusal DownloadPathMove::refusalForTarget(
    const QString &strOldDownloadPath, const QString &strNewDownloadPath, qint64 iFreeGiB)
{
    if (iFreeGiB < kMinFreeGiB)
        return Refusal::LowDiskSpace;
    // Copying a tree onto or into itself and then removing the original would lose the tools. The old
    // path may be empty on a first choice; then there is nothing to move.
    if (!strOldDownloadPath.isEmpty()
        && overlaps(strOldDownloadPath + QStringLiteral("/SubTools"),
            strNewDownloadPath + QStringLiteral("/SubTools")))
        return Refusal::NestedTarget;
    return Refusal::None;
}

bool DownloadPathMove::overlaps(const QString &strFirst, const QString &strSecond)
{
    const QString strA = resolvedPath(strFirst);
    const QString strB = resolvedPath(strSecond);
    return isSameOrInside(strA, strB) || isSameOrInside(strB, strA);
}

DownloadPathMove::DownloadPathMove(const QString &strSource, const QString &strTarget)
    : m_strSource(strSource)
    , m_strTarget(strTarget)
{
}

bool DownloadPathMove::fail(const QString &strError)
{
    m_strError = strError;
    qWarning().noquote() << "pellamar== download path move:" << strError;
    return false;
}

bool DownloadPathMove::copy()
{
    m_strCreatedFiles.clear();
    m_strCreatedDirs.clear();
    m_strError.clear();
    m_iCopiedFiles = 0;
    // No source: no download path was set yet, so there is nothing to move.
    if (!m_strSource.isEmpty() && overlaps(m_strSource, m_strTarget))
        return fail(QStringLiteral("%1 and %2 overlap").arg(m_strSource, m_strTarget));
    bool bOk = true;
    if (!QFileInfo::exists(m_strTarget)) {
        // Remember the first missing ancestor so that rollback removes every level it created.
        QString strFirstNew = QDir::cleanPath(m_strTarget);
        while (!QFileInfo::exists(QFileInfo(strFirstNew).absolutePath()))
            strFirstNew = QFileInfo(strFirstNew).absolutePath();
        if (QDir().mkpath(m_strTarget))
            m_strCreatedDirs << strFirstNew;
        else
            bOk = fail(QStringLiteral("cannot create %1").arg(m_strTarget));
    }
    if (bOk && !m_strSource.isEmpty() && QFileInfo::exists(m_strSource))
        bOk = copyTree(m_strSource, m_strTarget) && verifyTree(m_strSource, m_strTarget);
    if (!bOk)
        rollback();
    return bOk;
}

bool DownloadPathMove::copyTree(const QString &strSource, const QString &strTarget)
{
    const QFileInfoList entries = QDir(strSource).entryInfoList(kEverything, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString strTo = strTarget + QLatin1Char('/') + entry.fileName();
        if (entry.isSymLink()) {
            if (QFileInfo(strTo).isSymLink() || QFileInfo::exists(strTo)) {
                if (!QFile::remove(strTo))
                    return fail(QStringLiteral("cannot replace %1").arg(strTo));
            } else {
                m_strCreatedFiles << strTo;
            }
            if (::symlink(QFile::encodeName(linkText(entry.filePath())).constData(),
                    QFile::encodeName(strTo).constData())
                != 0)
                return fail(QStringLiteral("cannot link %1: %2")
                                .arg(strTo, QString::fromLocal8Bit(std::strerror(errno))));
        } else if (entry.isDir()) {
            if (!QFileInfo(strTo).isDir()) {
                if (!QDir().mkdir(strTo))
                    return fail(QStringLiteral("cannot create %1").arg(strTo));
                m_strCreatedDirs << strTo;
            }
            if (!copyTree(entry.filePath(), strTo))
                return false;
            QFile::setPermissions(strTo, entry.permissions());
        } else if (!entry.isFile()) {
            qWarning().noquote() << "pellamar== download path move: skipping special file"
                                 << entry.filePath();
        } else if (!copyFile(entry.filePath(), strTo)) {
            return false;
        }
    }
    return true;
}

bool DownloadPathMove::copyFile(const QString &strSource, const QString &strTarget)
{
    QFile source(strSource);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(strSource, source.errorString()));
    const bool bExisted = QFileInfo::exists(strTarget);
    // Written beside the target and renamed over it, so an existing file is never half replaced.
    const QString strPart = strTarget + QStringLiteral(".rwmove-part");
    QFile target(strPart);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(QStringLiteral("cannot write %1: %2").arg(strPart, target.errorString()));
    m_strCreatedFiles << strPart;
    QByteArray buffer;
    while (!source.atEnd()) {
        buffer = source.read(1 << 20);
        if (buffer.isEmpty() && source.error() != QFileDevice::NoError)
            return fail(QStringLiteral("cannot read %1: %2").arg(strSource, source.errorString()));
        if (target.write(buffer) != buffer.size())
            return fail(QStringLiteral("cannot write %1: %2").arg(strPart, target.errorString()));
    }
    if (!target.flush() || ::fsync(target.handle()) != 0)
        return fail(QStringLiteral("cannot write %1: %2").arg(strPart, target.errorString()));
    target.close();
    target.setPermissions(source.permissions());
    if (::rename(QFile::encodeName(strPart).constData(), QFile::encodeName(strTarget).constData()) != 0)
        return fail(QStringLiteral("cannot rename %1: %2")
                        .arg(strPart, QString::fromLocal8Bit(std::strerror(errno))));
    m_strCreatedFiles.removeLast();
    if (!bExisted)
        m_strCreatedFiles << strTarget;
    ++m_iCopiedFiles;
    return true;
}

bool DownloadPathMove::verifyTree(const QString &strSource, const QString &strTarget)
{
    const QFileInfoList entries = QDir(strSource).entryInfoList(kEverything, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QFileInfo copy(strTarget + QLatin1Char('/') + entry.fileName());
        if (entry.isSymLink()) {
            if (!copy.isSymLink() || linkText(copy.filePath()) != linkText(entry.filePath()))
                return fail(QStringLiteral("%1 did not arrive as a link").arg(copy.filePath()));
        } else if (entry.isDir()) {
            if (!copy.isDir() || copy.isSymLink())
                return fail(QStringLiteral("%1 did not arrive").arg(copy.filePath()));
            if (!verifyTree(entry.filePath(), copy.filePath()))
                return false;
        } else if (entry.isFile() && (!copy.isFile() || copy.isSymLink() || copy.size() != entry.size())) {
            return fail(QStringLiteral("%1 did not arrive whole").arg(copy.filePath()));
        }
    }
    return true;
}

void DownloadPathMove::rollback()
{
    for (auto it = m_strCreatedFiles.crbegin(); it != m_strCreatedFiles.crend(); ++it)
        QFile::remove(*it);
    // Deepest folders were created last; each goes with whatever else the copy put there.
    for (auto it = m_strCreatedDirs.crbegin(); it != m_strCreatedDirs.crend(); ++it)
        QDir(*it).removeRecursively();
    m_strCreatedFiles.clear();
    m_strCreatedDirs.clear();
}

bool DownloadPathMove::removeSource()
{
    if (m_strSource.isEmpty() || !QFileInfo::exists(m_strSource))
        return true;
    if (!QDir(m_strSource).removeRecursively())
        return fail(QStringLiteral("cannot remove all of %1").arg(m_strSource));
    return true;
}

} // namespace gearbay
