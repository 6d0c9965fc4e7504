#pragma once

#include <string>

class QXmlStreamReader;
class QXmlStreamWriter;

namespace gearbay {

// What the user has done with one tool (ToolsStateList.xml).
struct ToolState
{
    int ToolKey = -1;
    std::string CurrentVersion;   // installed version, or the catalog's while not installed
    int IsDownload = 0;           // 1: installed
    int IsNewTools = 0;           // 1: marked as new on its card
    int IsNeedUpdate = 0;         // 1: installed and the catalog offers another version
    int ListOrder = 0;            // place on the installed-tools board

    // Reads a state element the reader stands on the start of; leaves it on the element's end. A missing
    // element reads as empty text, hence 0 for numbers.
    static ToolState fromXml(QXmlStreamReader &reader);
    // Writes a "State" element with the six children in file order.
    void toXml(QXmlStreamWriter &writer) const;

    bool operator==(const ToolState &other) const;
};

} // namespace gearbay
