#include "ToolInfo.h"

#include "GenericDS.h"
#include "StringConvert.h"
#include "Utilities.h"

#include <QXmlStreamReader>

namespace gearbay {

namespace {

// The tool element's children, in the order fromTexts reads them.
#define RW_TOOL_FIELDS                                                                                   \
    { "ToolKey", "ToolType", "ToolCHName", "ToolENName", "Version", "IconMinName", "IconMidName",         \
        "IconMaxName", "BriefCHIntro", "BriefENIntro", "UpdateENIntro", "UpdateCHIntro", "ExeName",      \
        "updateDate", "ToolSize", "IsDown", "DetailImagesNum", "DownloadCHUrl", "DownloadENUrl" }

// Both readers hand their texts here, so the two can never map a field differently.
ToolInfo fromTexts(const QVector<QString> &texts)
{
    const auto local = [&texts](int i) { return vellum::ConvertFromUnicode(texts[i]); };
    ToolInfo info;
    info.ToolKey = texts[0].toInt();
    info.ToolType = texts[1].toInt();
    info.ToolCHName = local(2);
    info.ToolENName = local(3);
    info.Version = local(4);
    info.IconMinName = local(5);
    info.IconMidName = local(6);
    info.IconMaxName = local(7);
    info.BriefCHIntro = local(8);
    info.BriefENIntro = local(9);
    info.UpdateENIntro = local(10);
    info.UpdateCHIntro = local(11);
    info.ExeName = local(12);
    info.updateDate = local(13);
    info.ToolSize = texts[14].toFloat();
    info.IsDown = texts[15].toInt();
    info.DetailImagesNum = texts[16].toInt();
    info.DownloadCHUrl = local(17);
    info.DownloadENUrl = local(18);
    return info;
}

} // namespace

ToolInfo ToolInfo::fromXml(const vellum::GenericDS &element)
{
    QVector<QString> texts;
    for (const char *pszName : std::initializer_list<const char *> RW_TOOL_FIELDS)
        texts.append(element.GetChildByName(QLatin1String(pszName)).GetValue());
    return fromTexts(texts);
}

ToolInfo ToolInfo::fromXml(QXmlStreamReader &reader)
{
    return fromTexts(readChildTexts(reader, RW_TOOL_FIELDS));
}

} // namespace gearbay
