#include "TempProgramFolder.h"

#include "TestXml.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempProgramFolder::TempProgramFolder()
{
    for (const char *pFolder : {"Downloads", "home", "ToolsFile"})
        QDir(path()).mkpath(QString::fromLatin1(pFolder));
}

bool TempProgramFolder::writeSetup(const QString &strChServer, const QString &strEnServer, int iTranslator,
                                   const QString &strProxy, const QList<QPair<QString, QString>> &extraKeys)
{
    XmlFields keys = {
        {"Translator", QString::number(iTranslator)}, {"Languages", "zh,en"}, {"LogLevel", "0"}, {"VersionType", "1"},
        {"Skin", "0"}, {"DownloadPath", downloadPath()}, {"IsCloseOpenTools", "0"}, {"IsNeedUpdate", "0"},
        {"ChServerAddress", strChServer}, {"EnServerAddress", strEnServer}, {"Proxy", strProxy}};
    for (const auto &key : extraKeys)
        keys.append(key);
    return writeXmlFile(path() + QStringLiteral("/Setup.xml"), xmlElement("Setup", keys, true));
}

bool TempProgramFolder::writeCatalog(const QVector<Tool> &vectTools)
{
    QString strTools;
    for (const Tool &tool : vectTools)
        strTools += xmlElement("ToolInfo", {{"ToolKey", QString::number(tool.iKey)}, {"ToolType", "1"},
                                            {"ToolCHName", tool.strExeName}, {"ToolENName", tool.strExeName},
                                            {"Version", tool.strVersion}, {"ExeName", tool.strExeName},
                                            {"ToolSize", "1"}, {"IsDown", "0"}, {"DetailImagesNum", "0"},
                                            {"DownloadCHUrl", tool.strChUrl}, {"DownloadENUrl", tool.strEnUrl}});
    return writeXmlFile(path() + QStringLiteral("/ToolsFile/ToolsInfoList.xml"),
                        "<ToolsInfoList>\n" + strTools + "</ToolsInfoList>\n");
}

QString TempProgramFolder::installExecutable(const QString &strExecutable)
{
    const QString strCopy = path() + QLatin1Char('/') + QFileInfo(strExecutable).fileName();
    QFile::remove(strCopy);
    if (!QFile::copy(strExecutable, strCopy))
        return QString();
    QFile::setPermissions(strCopy, QFile::permissions(strExecutable));
    return strCopy;
}
