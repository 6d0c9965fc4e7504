#pragma once

#include <string>

class QXmlStreamReader;

namespace vellum {
class GenericDS;
}

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

    static ToolState fromXml(const vellum::GenericDS &element);
    // The same from a reader standing on a state element's start; leaves it on the element's end.
    static ToolState fromXml(QXmlStreamReader &reader);
    // Appends a "State" element with the six children in file order.
    void toXml(vellum::GenericDS &parent) const;

    bool operator==(const ToolState &other) const;
};

} // namespace gearbay
