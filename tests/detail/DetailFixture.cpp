#include "DetailFixture.h"

#include "ConfigureStore.h"
#include "ToolCatalog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <QXmlStreamWriter>

#include <functional>

namespace detailtest {

namespace {

bool writeXml(const QString &strPath, const std::function<void(QXmlStreamWriter &)> &body)
{
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    body(xml);
    xml.writeEndDocument();
    return !xml.hasError();
}

} // namespace

bool ProgramFolder::setUp(const QVector<Tool> &vectTools, int iTranslator)
{
    if (!m_dir.isValid())
        return false;
    QDir root(m_dir.path());
    if (!root.mkpath("ToolsFile/Icon") || !root.mkpath("Downloads/SubTools"))
        return false;

    const QString strDownloads = root.filePath("Downloads");
    bool bOk = writeXml(root.filePath("Setup.xml"), [&](QXmlStreamWriter &xml) {
        xml.writeStartElement("Configure");
        const QList<QPair<QString, QString>> keys = {
            { "Translator", QString::number(iTranslator) },
            { "VersionType", "1" },
            { "DownloadPath", strDownloads },
            { "IsCloseOpenTools", "1" },
            { "IsNeedUpdate", "0" },
            { "ChServerAddress", "http://127.0.0.1:9" },
            { "EnServerAddress", "http://127.0.0.1:9" },
            { "DirectoryServer", "ldap://127.0.0.1:9" },
            { "DirectoryUserDn", "uid=%1,ou=people,dc=example,dc=org" },
        };
        for (const auto &key : keys) {
            xml.writeStartElement(key.first);
            xml.writeTextElement("Value", key.second);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });

    bOk = bOk && writeXml(root.filePath("ToolsFile/ToolsInfoList.xml"), [&](QXmlStreamWriter &xml) {
        xml.writeStartElement("Tools");
        for (const Tool &tool : vectTools) {
            xml.writeStartElement("Tool");
            xml.writeTextElement("ToolKey", QString::number(tool.iKey));
            xml.writeTextElement("ToolType", "1");
            xml.writeTextElement("ToolCHName", tool.strChName);
            xml.writeTextElement("ToolENName", tool.strEnName);
            xml.writeTextElement("Version", tool.strVersion);
            xml.writeTextElement("IconMaxName", tool.strEnName + "_max.png");
            xml.writeTextElement("BriefCHIntro", tool.strChIntro);
            xml.writeTextElement("BriefENIntro", tool.strEnIntro);
            xml.writeTextElement("UpdateENIntro", tool.strUpdateIntro);
            xml.writeTextElement("UpdateCHIntro", tool.strUpdateIntro);
            xml.writeTextElement("ExeName", tool.strExeName);
            xml.writeTextElement("updateDate", "2026-11-30");
            xml.writeTextElement("ToolSize", QString::number(tool.dSize));
            xml.writeTextElement("IsDown", "0");
            xml.writeTextElement("DetailImagesNum", QString::number(tool.iImages));
            xml.writeTextElement("DownloadCHUrl", "tools/" + tool.strEnName + ".tar.gz");
            xml.writeTextElement("DownloadENUrl", "tools/" + tool.strEnName + ".tar.gz");
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });

    bOk = bOk && writeXml(root.filePath("ToolsStateList.xml"), [&](QXmlStreamWriter &xml) {
        xml.writeStartElement("Tools");
        for (const Tool &tool : vectTools) {
            xml.writeStartElement("State");
            xml.writeTextElement("ToolKey", QString::number(tool.iKey));
            // The catalog derives a pending update from an installed version older than its own.
            xml.writeTextElement("CurrentVersion", tool.iIsNeedUpdate == 1 ? QString("0.9") : tool.strVersion);
            xml.writeTextElement("IsDownload", QString::number(tool.iIsDownload));
            xml.writeTextElement("IsNewTools", "0");
            xml.writeTextElement("IsNeedUpdate", QString::number(tool.iIsNeedUpdate));
            xml.writeTextElement("ListOrder", "0");
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });
    if (!bOk || !QDir::setCurrent(m_dir.path()))
        return false;
    return gearbay::ConfigureStore::instance()->load(root.filePath("Setup.xml"))
        && gearbay::ToolCatalog::instance()->init();
}

QString ProgramFolder::writeImage(const QString &strRelativePath, const QSize &size, const QString &strCaption) const
{
    const QString strPath = m_dir.filePath(strRelativePath);
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    QImage image(size, QImage::Format_ARGB32);
    image.fill(QColor("#F4F7FB"));
    QPainter painter(&image);
    painter.fillRect(QRect(0, 0, size.width(), size.height() / 10), QColor("#3B6FD1"));
    painter.fillRect(QRect(size.width() / 20, size.height() / 5, size.width() * 9 / 10, size.height() * 7 / 10),
                     Qt::white);
    QFont font = painter.font();
    font.setPixelSize(qMax(10, size.height() / 10));
    painter.setFont(font);
    painter.setPen(QColor("#333333"));
    painter.drawText(image.rect().adjusted(0, size.height() / 5, 0, 0), Qt::AlignCenter, strCaption);
    painter.end();
    image.save(strPath, "PNG");
    return strPath;
}

QString ProgramFolder::writeFile(const QString &strRelativePath, const QByteArray &bytes) const
{
    const QString strPath = m_dir.filePath(strRelativePath);
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    QFile file(strPath);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return strPath;
}

QString saveScreenshot(QWidget *widget, const QString &strName)
{
    QString strFolder = qEnvironmentVariable("RW_ARTEFACTS");
    if (strFolder.isEmpty())
        strFolder = QStringLiteral(RW_BUILD_DIR "/artefacts");
    QDir().mkpath(strFolder);
    const QString strPath = strFolder + "/" + strName + ".png";
    widget->grab().save(strPath, "PNG");
    return strPath;
}

} // namespace detailtest
