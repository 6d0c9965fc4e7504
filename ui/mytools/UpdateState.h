#pragma once

#include "ToolCurrentState.h"

#include <QMetaType>

namespace gearbay {

// An installed tool's update state, as its row on the My Tools page shows it.
enum UpdateState {
    UpToDate = 1,
    UpdateAvailable = 2,
    Updating = 3,
    UpdateFailed = 4,
    UpdateWaiting = 5,
};

// Which of the row's controls a state shows. Kept apart from the widget so the whole table can be
// checked without a window.
struct RowControls
{
    bool bOpen = false;
    bool bUpgrade = false;
    bool bProgress = false;
    bool bCancel = false;
    bool bReupdate = false;
    int iProgressMode = 0; // 0 percentage, 1 failed, 2 waiting

    bool operator==(const RowControls &other) const
    {
        return bOpen == other.bOpen && bUpgrade == other.bUpgrade && bProgress == other.bProgress
            && bCancel == other.bCancel && bReupdate == other.bReupdate
            && iProgressMode == other.iProgressMode;
    }
};

// bOpenHiddenForGood: the update list's rows never offer "open". A value outside 1..5 shows nothing.
RowControls rowControls(int iState, bool bOpenHiddenForGood);

// What a row does with one server value for its own tool.
enum class RowAction {
    Ignore,
    StartPolling, // the server accepted the update: Updating, poll every second
    ShowWaiting, // the main window queued the update locally
    ShowProgress, // iValue is the bar value
    Complete, // the new version is installed
    Fail, // iValue is the failure code whose message the row shows
    CancelConfirmed, // stop polling, offer the update again
};

struct RowReaction
{
    RowAction emAction = RowAction::Ignore;
    int iValue = 0;

    bool operator==(const RowReaction &other) const
    {
        return emAction == other.emAction && iValue == other.iValue;
    }
};

// iMethod: 3 update requested, 4 progress poll, 5 cancel; other methods are ignored.
RowReaction rowReaction(int iMethod, int iValue);

// The state a row takes when another page reports emToolState for its tool; iCurrent when the
// report changes nothing. bInstalled: the tool's state record says it is installed.
int rowStateAfter(ToolCurrentState emToolState, int iCurrent, bool bInstalled);

} // namespace gearbay

Q_DECLARE_METATYPE(gearbay::UpdateState)
