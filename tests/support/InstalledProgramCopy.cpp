#include "InstalledProgramCopy.h"

#include "TestFiles.h"
#include "TestProcess.h"

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
    QByteArray output;
    const QStringList args = { QStringLiteral("-a"), strInstalledDir + QStringLiteral("/."), path() };
    if (!runProgram(QStringLiteral("cp"), args, &output)) {
        qWarning() << "cannot copy" << strInstalledDir << output;
        return false;
    }
    // A fresh folder has accepted no catalog yet; a serial left by trying v2 by hand would refuse v1.
    QFile::remove(path() + QStringLiteral("/CatalogSerial.txt"));
    return true;
}

bool InstalledProgramCopy::setSetting(const QString &strKey, const QString &strValue)
{
    QFile file(path() + QStringLiteral("/Setup.xml"));
    QString text = QString::fromUtf8(readFile(file.fileName()));
    const QRegularExpression pattern(QStringLiteral("(<%1>\\s*<Value>)[^<]*(</Value>)").arg(strKey));
    if (!text.contains(pattern))
        return false;
    text.replace(pattern, QStringLiteral("\\1%1\\2").arg(strValue.toHtmlEscaped()));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}
