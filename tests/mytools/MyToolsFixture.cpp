#include "MyToolsFixture.h"

#include <QColor>
#include <QSize>

namespace mytoolstest {

bool ProgramFolder::setUp(const QVector<Tool> &vectTools, bool bInstallFolders)
{
    const markettest::Fields setup = markettest::setupKeys(0, downloadPath(), "http://127.0.0.1:9");
    const QColor colors[] = { "#3B82F6", "#F59E0B", "#10B981", "#EF4444", "#8B5CF6", "#EC4899" };
    int iColor = 0;
    QString strTools;
    QString strStates;
    for (const Tool &tool : vectTools) {
        const QString strIcon = tool.strName + "_min.png";
        writeImage("ToolsFile/Icon/" + strIcon, QSize(48, 48), colors[iColor++ % 6], tool.strName.left(2));
        const QString strUrl = "tools/" + tool.strName + ".tar.gz";
        const QString strExe = tool.strExeName.isEmpty() ? tool.strName + ".bin" : tool.strExeName;
        strTools += markettest::xmlElement("Tool", { { "ToolKey", QString::number(tool.iKey) }, { "ToolType", "1" },
                                      { "ToolCHName", tool.strName }, { "ToolENName", tool.strName },
                                      { "Version", tool.strVersion }, { "IconMinName", strIcon },
                                      { "UpdateENIntro", "Version " + tool.strVersion + " of " + tool.strName
                                                             + " reads larger files and starts faster." },
                                      { "UpdateCHIntro", tool.strName + " " + tool.strVersion },
                                      { "ExeName", strExe }, { "updateDate", "2026-11-20" }, { "ToolSize", "1.0" },
                                      { "IsDown", "0" }, { "DownloadCHUrl", strUrl }, { "DownloadENUrl", strUrl } });
        strStates += markettest::xmlElement("State", { { "ToolKey", QString::number(tool.iKey) }, { "CurrentVersion", tool.strInstalled },
                                        { "IsDownload", QString::number(tool.iIsDownload) }, { "IsNewTools", "0" },
                                        { "IsNeedUpdate", "0" }, { "ListOrder", QString::number(tool.iListOrder) } });
        if (bInstallFolders && tool.iIsDownload == 1 && !tool.strExeName.contains('/')) {
            writeFile("Downloads/SubTools/" + tool.strName + "/" + strExe, "#!/bin/sh\n");
            writeFile("Downloads/SubTools/" + tool.strName + "/data/settings.ini", "[x]\n");
        }
    }
    return writeAndLoad(strTools, strStates, setup);
}

} // namespace mytoolstest
