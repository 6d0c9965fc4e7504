#include "DetailFixture.h"

namespace detailtest {

bool ProgramFolder::setUp(const QVector<Tool> &vectTools, int iTranslator)
{
    using markettest::xmlElement;
    QString strTools;
    QString strStates;
    for (const Tool &tool : vectTools) {
        const QString strUrl = "tools/" + tool.strEnName + ".tar.gz";
        strTools += xmlElement("Tool", { { "ToolKey", QString::number(tool.iKey) }, { "ToolType", "1" },
                                         { "ToolCHName", tool.strChName }, { "ToolENName", tool.strEnName },
                                         { "Version", tool.strVersion }, { "IconMaxName", tool.strEnName + "_max.png" },
                                         { "BriefCHIntro", tool.strChIntro }, { "BriefENIntro", tool.strEnIntro },
                                         { "UpdateENIntro", tool.strUpdateIntro },
                                         { "UpdateCHIntro", tool.strUpdateIntro }, { "ExeName", tool.strExeName },
                                         { "updateDate", "2026-11-30" }, { "ToolSize", QString::number(tool.dSize) },
                                         { "IsDown", "0" }, { "DetailImagesNum", QString::number(tool.iImages) },
                                         { "DownloadCHUrl", strUrl }, { "DownloadENUrl", strUrl } });
        // The catalog derives a pending update from an installed version older than its own.
        const QString strInstalled = tool.iIsNeedUpdate == 1 ? QString("0.9") : tool.strVersion;
        strStates += xmlElement("State", { { "ToolKey", QString::number(tool.iKey) },
                                           { "CurrentVersion", strInstalled },
                                           { "IsDownload", QString::number(tool.iIsDownload) }, { "IsNewTools", "0" },
                                           { "IsNeedUpdate", QString::number(tool.iIsNeedUpdate) }, { "ListOrder", "0" } });
    }
    markettest::Fields setup = markettest::setupKeys(iTranslator, downloadPath(), "http://127.0.0.1:9");
    setup[3].second = "1"; // IsCloseOpenTools
    return writeAndLoad(strTools, strStates, setup);
}

} // namespace detailtest
