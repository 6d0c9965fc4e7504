#include "ToolState.h"

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

void add(vellum::GenericDS &parent, const char *name, const QString &strValue)
{
    parent.CreateChild(QLatin1String(name)).SetValue(strValue);
}

} // namespace

ToolState ToolState::fromXml(const vellum::GenericDS &element)
{
    ToolState state;
    state.ToolKey = text(element, "ToolKey").toInt();
    state.CurrentVersion = vellum::ConvertFromUnicode(text(element, "CurrentVersion"));
    state.IsDownload = text(element, "IsDownload").toInt();
    state.IsNewTools = text(element, "IsNewTools").toInt();
    state.IsNeedUpdate = text(element, "IsNeedUpdate").toInt();
    state.ListOrder = text(element, "ListOrder").toInt();
    return state;
}

ToolState ToolState::fromXml(QXmlStreamReader &reader)
{
    const QVector<QString> texts = readChildTexts(
        reader, { "ToolKey", "CurrentVersion", "IsDownload", "IsNewTools", "IsNeedUpdate", "ListOrder" });
    ToolState state;
    state.ToolKey = texts[0].toInt();
    state.CurrentVersion = vellum::ConvertFromUnicode(texts[1]);
    state.IsDownload = texts[2].toInt();
    state.IsNewTools = texts[3].toInt();
    state.IsNeedUpdate = texts[4].toInt();
    state.ListOrder = texts[5].toInt();
    return state;
}

void ToolState::toXml(vellum::GenericDS &parent) const
{
    vellum::GenericDS state = parent.CreateChild(QStringLiteral("State"));
    add(state, "ToolKey", QString::number(ToolKey));
    add(state, "CurrentVersion", vellum::ConvertToUnicode(CurrentVersion));
    add(state, "IsDownload", QString::number(IsDownload));
    add(state, "IsNewTools", QString::number(IsNewTools));
    add(state, "IsNeedUpdate", QString::number(IsNeedUpdate));
    add(state, "ListOrder", QString::number(ListOrder));
}

bool ToolState::operator==(const ToolState &other) const
{
    return ToolKey == other.ToolKey && CurrentVersion == other.CurrentVersion
        && IsDownload == other.IsDownload && IsNewTools == other.IsNewTools
        && IsNeedUpdate == other.IsNeedUpdate && ListOrder == other.ListOrder;
}

} // namespace gearbay
