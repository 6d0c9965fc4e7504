#include "ToolInfo.h"

#include "GenericDS.h"
#include "StringConvert.h"
#include "Utilities.h"

#include <QXmlStreamReader>

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

ToolInfo ToolInfo::fromXml(QXmlStreamReader &reader)
{
    const QVector<QString> texts = readChildTexts(reader,
        { "ToolKey", "ToolType", "ToolCHName", "ToolENName", "Version", "IconMinName", "IconMidName",
            "IconMaxName", "BriefCHIntro", "BriefENIntro", "UpdateENIntro", "UpdateCHIntro", "ExeName",
            "updateDate", "ToolSize", "IsDown", "DetailImagesNum", "DownloadCHUrl", "DownloadENUrl" });
    ToolInfo info;
    info.ToolKey = texts[0].toInt();
    info.ToolType = texts[1].toInt();
    info.ToolCHName = vellum::ConvertFromUnicode(texts[2]);
    info.ToolENName = vellum::ConvertFromUnicode(texts[3]);
    info.Version = vellum::ConvertFromUnicode(texts[4]);
    info.IconMinName = vellum::ConvertFromUnicode(texts[5]);
    info.IconMidName = vellum::ConvertFromUnicode(texts[6]);
    info.IconMaxName = vellum::ConvertFromUnicode(texts[7]);
    info.BriefCHIntro = vellum::ConvertFromUnicode(texts[8]);
    info.BriefENIntro = vellum::ConvertFromUnicode(texts[9]);
    info.UpdateENIntro = vellum::ConvertFromUnicode(texts[10]);
    info.UpdateCHIntro = vellum::ConvertFromUnicode(texts[11]);
    info.ExeName = vellum::ConvertFromUnicode(texts[12]);
    info.updateDate = vellum::ConvertFromUnicode(texts[13]);
    info.ToolSize = texts[14].toFloat();
    info.IsDown = texts[15].toInt();
    info.DetailImagesNum = texts[16].toInt();
    info.DownloadCHUrl = vellum::ConvertFromUnicode(texts[17]);
    info.DownloadENUrl = vellum::ConvertFromUnicode(texts[18]);
    return info;
}

} // namespace gearbay
