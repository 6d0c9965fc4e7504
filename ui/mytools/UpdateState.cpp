#include "UpdateState.h"

namespace gearbay {

RowControls rowControls(int iState, bool bOpenHiddenForGood)
{
    RowControls controls;
    switch (iState) {
    case UpToDate:
        controls.bOpen = !bOpenHiddenForGood;
        break;
    case UpdateAvailable:
        controls.bUpgrade = true;
        controls.bOpen = !bOpenHiddenForGood;
        break;
    case Updating:
        controls.bProgress = controls.bCancel = true;
        break;
    case UpdateFailed:
        controls.bProgress = controls.bCancel = controls.bReupdate = true;
        controls.iProgressMode = 1;
        break;
    case UpdateWaiting:
        controls.bProgress = controls.bCancel = true;
        controls.iProgressMode = 2;
        break;
    default:
        break;
    }
    return controls;
}

RowReaction rowReaction(int iMethod, int iValue)
{
    switch (iMethod) {
    case 3:
        if (iValue == 0)
            return { RowAction::StartPolling, 0 };
        if (iValue == 120)
            return { RowAction::ShowWaiting, 0 };
        return { RowAction::Fail, iValue };
    case 4:
        if (iValue >= 0 && iValue <= 100)
            return { RowAction::ShowProgress, iValue };
        if (iValue == 200)
            return { RowAction::Complete, 0 };
        // The main window answers a poll for a queued tool itself; the tool is still waiting.
        if (iValue == 120)
            return { RowAction::ShowWaiting, 0 };
        return { RowAction::Fail, iValue };
    case 5:
        // A refused cancel keeps the update (and its polling) running.
        return iValue == 0 ? RowReaction { RowAction::CancelConfirmed, 0 } : RowReaction {};
    default:
        return {};
    }
}

int rowStateAfter(ToolCurrentState emToolState, int iCurrent, bool bInstalled)
{
    switch (emToolState) {
    case StateRequested:
    case StateDownloading:
        return Updating;
    case StateDownloaded:
        return UpToDate;
    case StateCancelled:
        return bInstalled ? UpdateAvailable : UpToDate;
    default:
        return iCurrent;
    }
}

} // namespace gearbay
