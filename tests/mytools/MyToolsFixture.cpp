#include "MyToolsFixture.h"

#include "MarketFixture.h"

#include "ConfigureStore.h"
#include "ToolCatalog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace mytoolstest {

namespace {

bool writeFile(const QString &strPath, const QByteArray &content)
{
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

QString exeOf(const Tool &tool)
{
    return tool.strExeName.isEmpty() ? tool.strName + ".bin" : tool.strExeName;
}

} // namespace

bool ProgramFolder::setUp(const QVector<Tool> &vectTools, bool bInstallFolders)
{
    QDir root(m_dir.path());
    if (!m_dir.isValid() || !root.mkpath("ToolsFile/Icon") || !root.mkpath("Downloads/SubTools"))
        return false;
    const QString strServer = "http://127.0.0.1:9";
    const markettest::Fields setup = { { "Translator", "0" }, { "VersionType", "1" }, { "DownloadPath", downloadPath() },
                           { "IsCloseOpenTools", "0" }, { "IsNeedUpdate", "0" },
                           { "ChServerAddress", strServer }, { "EnServerAddress", strServer } };
    const QColor colors[] = { "#3B82F6", "#F59E0B", "#10B981", "#EF4444", "#8B5CF6", "#EC4899" };
    int iColor = 0;
    QString strTools;
    QString strStates;
    bool bOk = true;
    for (const Tool &tool : vectTools) {
        const QString strIcon = tool.strName + "_min.png";
        QImage icon(48, 48, QImage::Format_ARGB32);
        icon.fill(colors[iColor++ % 6]);
        QPainter(&icon).drawText(icon.rect(), Qt::AlignCenter, tool.strName.left(2));
        icon.save(root.filePath("ToolsFile/Icon/" + strIcon), "PNG");
        const QString strUrl = "tools/" + tool.strName + ".tar.gz";
        strTools += markettest::xmlElement("Tool", { { "ToolKey", QString::number(tool.iKey) }, { "ToolType", "1" },
                                      { "ToolCHName", tool.strName }, { "ToolENName", tool.strName },
                                      { "Version", tool.strVersion }, { "IconMinName", strIcon },
                                      { "UpdateENIntro", "Version " + tool.strVersion + " of " + tool.strName
                                                             + " reads larger files and starts faster." },
                                      { "UpdateCHIntro", tool.strName + " " + tool.strVersion },
                                      { "ExeName", exeOf(tool) }, { "updateDate", "2026-11-20" }, { "ToolSize", "1.0" },
                                      { "IsDown", "0" }, { "DownloadCHUrl", strUrl }, { "DownloadENUrl", strUrl } });
        strStates += markettest::xmlElement("State", { { "ToolKey", QString::number(tool.iKey) }, { "CurrentVersion", tool.strInstalled },
                                        { "IsDownload", QString::number(tool.iIsDownload) }, { "IsNewTools", "0" },
                                        { "IsNeedUpdate", "0" }, { "ListOrder", QString::number(tool.iListOrder) } });
        if (bInstallFolders && tool.iIsDownload == 1 && !tool.strExeName.contains('/')) {
            const QString strFolder = toolFolder(tool.strName);
            bOk = bOk && QDir().mkpath(strFolder + "/data") && writeFile(strFolder + "/" + exeOf(tool), "#!/bin/sh\n")
                && writeFile(strFolder + "/data/settings.ini", "[x]\n");
        }
    }
    return bOk && markettest::writeXmlFile(root.filePath("Setup.xml"), markettest::xmlElement("Configure", setup, true))
        && markettest::writeXmlFile(root.filePath("ToolsFile/ToolsInfoList.xml"), "<Tools>\n" + strTools + "</Tools>\n")
        && markettest::writeXmlFile(root.filePath("ToolsStateList.xml"), "<Tools>\n" + strStates + "</Tools>\n")
        && QDir::setCurrent(m_dir.path()) && gearbay::ConfigureStore::instance()->load(root.filePath("Setup.xml"))
        && gearbay::ToolCatalog::instance()->init();
}

} // namespace mytoolstest
