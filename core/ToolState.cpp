#include "ToolState.h"

#include "StringConvert.h"
#include "Utilities.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace gearbay {

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

void ToolState::toXml(QXmlStreamWriter &writer) const
{
    writer.writeStartElement(QStringLiteral("State"));
    writer.writeTextElement(QStringLiteral("ToolKey"), QString::number(ToolKey));
    writer.writeTextElement(QStringLiteral("CurrentVersion"), vellum::ConvertToUnicode(CurrentVersion));
    writer.writeTextElement(QStringLiteral("IsDownload"), QString::number(IsDownload));
    writer.writeTextElement(QStringLiteral("IsNewTools"), QString::number(IsNewTools));
    writer.writeTextElement(QStringLiteral("IsNeedUpdate"), QString::number(IsNeedUpdate));
    writer.writeTextElement(QStringLiteral("ListOrder"), QString::number(ListOrder));
    writer.writeEndElement();
}

bool ToolState::operator==(const ToolState &other) const
{
    return ToolKey == other.ToolKey && CurrentVersion == other.CurrentVersion
        && IsDownload == other.IsDownload && IsNewTools == other.IsNewTools
        && IsNeedUpdate == other.IsNeedUpdate && ListOrder == other.ListOrder;
}

} // namespace gearbay
