#include "TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include <functional>

namespace {

bool writeXml(const QString &strPath, const std::function<void(QXmlStreamWriter &)> &body)
{
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    body(xml);
    xml.writeEndDocument();
    return file.commit();
}

} // namespace

TempProgramFolder::TempProgramFolder()
{
    for (const char *pFolder : {"Downloads", "home", "ToolsFile"})
        QDir(path()).mkpath(QString::fromLatin1(pFolder));
}

bool TempProgramFolder::writeSetup(const QString &strChServer, const QString &strEnServer, int iTranslator,
                                   const QString &strProxy, const QList<QPair<QString, QString>> &extraKeys)
{
    QList<QPair<QString, QString>> keys = {
        {"Translator", QString::number(iTranslator)}, {"Languages", "zh,en"}, {"LogLevel", "0"}, {"VersionType", "1"},
        {"Skin", "0"}, {"DownloadPath", downloadPath()}, {"IsCloseOpenTools", "0"}, {"IsNeedUpdate", "0"},
        {"ChServerAddress", strChServer}, {"EnServerAddress", strEnServer}, {"Proxy", strProxy}};
    keys += extraKeys;
    return writeXml(path() + QStringLiteral("/Setup.xml"), [&keys](QXmlStreamWriter &xml) {
        xml.writeStartElement(QStringLiteral("Setup"));
        for (const auto &key : keys) {
            xml.writeStartElement(key.first);
            xml.writeTextElement(QStringLiteral("Value"), key.second);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });
}

bool TempProgramFolder::writeCatalog(const QVector<Tool> &vectTools)
{
    return writeXml(path() + QStringLiteral("/ToolsFile/ToolsInfoList.xml"), [&vectTools](QXmlStreamWriter &xml) {
        xml.writeStartElement(QStringLiteral("ToolsInfoList"));
        for (const Tool &tool : vectTools) {
            const QStringList fields = {"ToolKey", QString::number(tool.iKey), "ToolType", "1", "ToolCHName",
                                        tool.strExeName, "ToolENName", tool.strExeName, "Version", tool.strVersion,
                                        "ExeName", tool.strExeName, "ToolSize", "1", "IsDown", "0", "DetailImagesNum",
                                        "0", "DownloadCHUrl", tool.strChUrl, "DownloadENUrl", tool.strEnUrl};
            xml.writeStartElement(QStringLiteral("ToolInfo"));
            for (int i = 0; i < fields.size(); i += 2)
                xml.writeTextElement(fields.at(i), fields.at(i + 1));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });
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
