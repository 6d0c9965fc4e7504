#include "ToolInfo.h"

#include "GenericDS.h"
#include "StringConvert.h"

namespace gearbay {

namespace {

QString text(const vellum::GenericDS &element, const char *name)
{
    return element.GetChildByName(QLatin1String(name)).GetValue();
}

std::string local(const vellum::GenericDS &element, const char *name)
{
    return vellum::ConvertFromUnicode(text(element, name));
}

} // namespace

ToolInfo ToolInfo::fromXml(const vellum::GenericDS &element)
{
    ToolInfo info;
    info.ToolKey = text(element, "ToolKey").toInt();
    info.ToolType = text(element, "ToolType").toInt();
    info.ToolCHName = local(element, "ToolCHName");
    info.ToolENName = local(element, "ToolENName");
    info.Version = local(element, "Version");
    info.IconMinName = local(element, "IconMinName");
    info.IconMidName = local(element, "IconMidName");
    info.IconMaxName = local(element, "IconMaxName");
    info.BriefCHIntro = local(element, "BriefCHIntro");
    info.BriefENIntro = local(element, "BriefENIntro");
    info.UpdateENIntro = local(element, "UpdateENIntro");
    info.UpdateCHIntro = local(element, "UpdateCHIntro");
    info.ExeName = local(element, "ExeName");
    info.updateDate = local(element, "updateDate");
    info.ToolSize = text(element, "ToolSize").toFloat();
    info.IsDown = text(element, "IsDown").toInt();
    info.DetailImagesNum = text(element, "DetailImagesNum").toInt();
    info.DownloadCHUrl = local(element, "DownloadCHUrl");
    info.DownloadENUrl = local(element, "DownloadENUrl");
    return info;
}

} // namespace gearbay
