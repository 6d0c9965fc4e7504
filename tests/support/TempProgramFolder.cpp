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
    QDir(path()).mkpath(QStringLiteral("Downloads"));
    QDir(path()).mkpath(QStringLiteral("home"));
    QDir(path()).mkpath(QStringLiteral("ToolsFile"));
}

QString TempProgramFolder::downloadPath() const
{
    return path() + QStringLiteral("/Downloads");
}

QString TempProgramFolder::homePath() const
{
    return path() + QStringLiteral("/home");
}

bool TempProgramFolder::writeSetup(const QString &strChServer, const QString &strEnServer, int iTranslator,
                                   const QString &strProxy)
{
    const QList<QPair<QString, QString>> keys = {
        {QStringLiteral("Translator"), QString::number(iTranslator)},
        {QStringLiteral("Languages"), QStringLiteral("zh,en")},
        {QStringLiteral("LogLevel"), QStringLiteral("0")},
        {QStringLiteral("VersionType"), QStringLiteral("1")},
        {QStringLiteral("Skin"), QStringLiteral("0")},
        {QStringLiteral("DownloadPath"), downloadPath()},
        {QStringLiteral("IsCloseOpenTools"), QStringLiteral("0")},
        {QStringLiteral("IsNeedUpdate"), QStringLiteral("0")},
        {QStringLiteral("ChServerAddress"), strChServer},
        {QStringLiteral("EnServerAddress"), strEnServer},
        {QStringLiteral("Proxy"), strProxy},
    };
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
            xml.writeStartElement(QStringLiteral("ToolInfo"));
            xml.writeTextElement(QStringLiteral("ToolKey"), QString::number(tool.iKey));
            xml.writeTextElement(QStringLiteral("ToolType"), QStringLiteral("1"));
            xml.writeTextElement(QStringLiteral("ToolCHName"), tool.strExeName);
            xml.writeTextElement(QStringLiteral("ToolENName"), tool.strExeName);
            xml.writeTextElement(QStringLiteral("Version"), tool.strVersion);
            xml.writeTextElement(QStringLiteral("ExeName"), tool.strExeName);
            xml.writeTextElement(QStringLiteral("ToolSize"), QStringLiteral("1"));
            xml.writeTextElement(QStringLiteral("IsDown"), QStringLiteral("0"));
            xml.writeTextElement(QStringLiteral("DetailImagesNum"), QStringLiteral("0"));
            xml.writeTextElement(QStringLiteral("DownloadCHUrl"), tool.strChUrl);
            xml.writeTextElement(QStringLiteral("DownloadENUrl"), tool.strEnUrl);
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
