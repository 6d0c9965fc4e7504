#include "InstalledProgramCopy.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtDebug>

bool InstalledProgramCopy::create(const QString &strInstalledDir)
{
    if (!m_dir.isValid() || !QFileInfo::exists(strInstalledDir + QStringLiteral("/RigWarden"))) {
        qWarning() << "no installed program folder at" << strInstalledDir << "(run cmake --install first)";
        return false;
    }
    QDirIterator it(strInstalledDir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = path() + QLatin1Char('/') + QDir(strInstalledDir).relativeFilePath(source);
        const QFileInfo info = it.fileInfo();
        if (info.isDir()) {
            if (!QDir().mkpath(target))
                return false;
            continue;
        }
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(source, target)) {
            qWarning() << "cannot copy" << source;
            return false;
        }
        QFile::setPermissions(target, info.permissions());
    }
    // A fresh folder has accepted no catalog yet; a serial left by trying v2 by hand would refuse v1.
    QFile::remove(path() + QStringLiteral("/CatalogSerial.txt"));
    return true;
}

bool InstalledProgramCopy::setSetting(const QString &strKey, const QString &strValue)
{
    QFile file(path() + QStringLiteral("/Setup.xml"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString text = QString::fromUtf8(file.readAll());
    file.close();
    const QRegularExpression pattern(QStringLiteral("(<%1>\\s*<Value>)[^<]*(</Value>)").arg(strKey));
    if (!text.contains(pattern))
        return false;
    text.replace(pattern, QStringLiteral("\\1%1\\2").arg(strValue.toHtmlEscaped()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(text.toUtf8()) >= 0;
}
