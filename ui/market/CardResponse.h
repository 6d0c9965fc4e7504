#ifndef GEARBAY_CARDRESPONSE_H
#define GEARBAY_CARDRESPONSE_H

namespace gearbay {

// What a download card does with one server value for its own tool. Kept apart from the widget so
// the whole code table can be checked without a window.
enum class CardAction {
    Ignore,       // methods the card does not handle
    StartPolling, // the server accepted the download
    ShowWaiting,  // the main window queued the tool locally
    ShowProgress, // iValue is the bar value to show
    Complete,     // installed
    Fail          // iValue is the failure code whose message the card shows
};

struct CardReaction
{
    CardAction emAction = CardAction::Ignore;
    int iValue = 0;

    bool operator==(const CardReaction &other) const
    {
        return emAction == other.emAction && iValue == other.iValue;
    }
};

// iMethod: 3 (download requested) or 4 (progress poll); other methods are ignored.
CardReaction cardReaction(int iMethod, int iValue);

} // namespace gearbay

#endif
