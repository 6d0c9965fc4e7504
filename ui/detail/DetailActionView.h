#pragma once

namespace gearbay {

// Which actions the detail page offers for a tool, from its state record. Kept apart from the
// widget so the rule can be checked without a window.
enum class DetailActionView {
    Unchanged, // a state record the rule does not cover: leave the panel as it is
    Download,
    Open,
    Update // open and update side by side
};

DetailActionView detailActionView(int iIsDownload, int iIsNeedUpdate);

} // namespace gearbay
