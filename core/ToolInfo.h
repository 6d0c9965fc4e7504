#pragma once

#include <string>

class QXmlStreamReader;

namespace vellum {
class GenericDS;
}

namespace gearbay {

// One tool of the catalog (ToolsFile/ToolsInfoList.xml). Texts are 8-bit strings in the local
// code page; show them through vellum::ConvertToUnicode.
struct ToolInfo
{
    int ToolKey = -1;
    int ToolType = -1;
    std::string ToolCHName;
    std::string ToolENName;
    std::string Version;
    std::string IconMinName;
    std::string IconMidName;
    std::string IconMaxName;
    std::string BriefCHIntro;
    std::string BriefENIntro;
    std::string UpdateENIntro;
    std::string UpdateCHIntro;
    std::string ExeName;
    std::string updateDate;
    float ToolSize = 0;
    int IsDown = 0;
    int DetailImagesNum = 0;
    std::string DownloadCHUrl;
    std::string DownloadENUrl;

    // Reads a tool element; a missing element reads as empty text, hence 0 for numbers.
    static ToolInfo fromXml(const vellum::GenericDS &element);
    // The same from a reader standing on a tool element's start; leaves it on the element's end.
    static ToolInfo fromXml(QXmlStreamReader &reader);
};

} // namespace gearbay
