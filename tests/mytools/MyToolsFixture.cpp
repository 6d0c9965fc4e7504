#include "MyToolsFixture.h"

#include "ConfigureStore.h"
#include "ToolCatalog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <QXmlStreamWriter>
#include <functional>

namespace mytoolstest {

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

QString exeOf(const Tool &tool)
{
    return tool.strExeName.isEmpty() ? tool.strName + ".bin" : tool.strExeName;
}

} // namespace

bool ProgramFolder::setUp(const QVector<Tool> &vectTools, bool bInstallFolders)
{
    if (!m_dir.isValid())
        return false;
    QDir root(m_dir.path());
    if (!root.mkpath("ToolsFile/Icon") || !root.mkpath("Downloads/SubTools"))
        return false;

    const QString strDownloads = downloadPath();
    bool bOk = writeXml(root.filePath("Setup.xml"), [&](QXmlStreamWriter &xml) {
        xml.writeStartElement("Configure");
        const QList<QPair<QString, QString>> keys = {
            { "Translator", "0" },
            { "VersionType", "1" },
            { "DownloadPath", strDownloads },
            { "IsCloseOpenTools", "0" },
            { "IsNeedUpdate", "0" },
            { "ChServerAddress", "http://127.0.0.1:9" },
            { "EnServerAddress", "http://127.0.0.1:9" },
        };
        for (const auto &key : keys) {
            xml.writeStartElement(key.first);
            xml.writeTextElement("Value", key.second);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });

    const QColor colors[] = { "#3B82F6", "#F59E0B", "#10B981", "#EF4444", "#8B5CF6", "#EC4899" };
    int iColor = 0;
    bOk = bOk && writeXml(root.filePath("ToolsFile/ToolsInfoList.xml"), [&](QXmlStreamWriter &xml) {
        xml.writeStartElement("Tools");
        for (const Tool &tool : vectTools) {
            const QString strIcon = tool.strName + "_min.png";
            QImage icon(48, 48, QImage::Format_ARGB32);
            icon.fill(colors[iColor++ % 6]);
            QPainter(&icon).drawText(icon.rect(), Qt::AlignCenter, tool.strName.left(2));
            icon.save(root.filePath("ToolsFile/Icon/" + strIcon), "PNG");

            xml.writeStartElement("Tool");
            xml.writeTextElement("ToolKey", QString::number(tool.iKey));
            xml.writeTextElement("ToolType", "1");
            xml.writeTextElement("ToolCHName", tool.strName);
            xml.writeTextElement("ToolENName", tool.strName);
            xml.writeTextElement("Version", tool.strVersion);
            xml.writeTextElement("IconMinName", strIcon);
            xml.writeTextElement("UpdateENIntro",
                "Version " + tool.strVersion + " of " + tool.strName
                    + " reads larger files and starts faster.");
            xml.writeTextElement("UpdateCHIntro", tool.strName + " " + tool.strVersion);
            xml.writeTextElement("ExeName", exeOf(tool));
            xml.writeTextElement("updateDate", "2026-11-20");
            xml.writeTextElement("ToolSize", "1.0");
            xml.writeTextElement("IsDown", "0");
            xml.writeTextElement("DownloadCHUrl", "tools/" + tool.strName + ".tar.gz");
            xml.writeTextElement("DownloadENUrl", "tools/" + tool.strName + ".tar.gz");
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });

    bOk = bOk && writeXml(root.filePath("ToolsStateList.xml"), [&](QXmlStreamWriter &xml) {
        xml.writeStartElement("Tools");
        for (const Tool &tool : vectTools) {
            xml.writeStartElement("State");
            xml.writeTextElement("ToolKey", QString::number(tool.iKey));
            xml.writeTextElement("CurrentVersion", tool.strInstalled);
            xml.writeTextElement("IsDownload", QString::number(tool.iIsDownload));
            xml.writeTextElement("IsNewTools", "0");
            xml.writeTextElement("IsNeedUpdate", "0");
            xml.writeTextElement("ListOrder", QString::number(tool.iListOrder));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });

    if (bInstallFolders) {
        for (const Tool &tool : vectTools) {
            if (tool.iIsDownload != 1 || tool.strExeName.contains('/'))
                continue;
            const QString strFolder = toolFolder(tool.strName);
            QDir().mkpath(strFolder + "/data");
            QFile exe(strFolder + "/" + exeOf(tool));
            bOk = bOk && exe.open(QIODevice::WriteOnly) && exe.write("#!/bin/sh\n") > 0;
            QFile data(strFolder + "/data/settings.ini");
            bOk = bOk && data.open(QIODevice::WriteOnly) && data.write("[x]\n") > 0;
        }
    }
    if (!bOk || !QDir::setCurrent(m_dir.path()))
        return false;
    return gearbay::ConfigureStore::instance()->load(root.filePath("Setup.xml"))
        && gearbay::ToolCatalog::instance()->init();
}

QString saveScreenshot(QWidget *widget, const QString &strName)
{
    QString strFolder = qEnvironmentVariable("RW_ARTEFACTS");
    if (strFolder.isEmpty())
        strFolder = QStringLiteral(RW_BUILD_DIR "/artefacts");
    QDir().mkpath(strFolder);
    // Shown and hidden bars are laid out only when the posted layout requests run.
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
    }
    const QString strPath = strFolder + "/" + strName + ".png";
    widget->grab().save(strPath, "PNG");
    return strPath;
}

} // namespace mytoolstest
