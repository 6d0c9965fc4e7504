#include "CardResponse.h"

namespace gearbay {

namespace {

// -1 and 130 (a request without URLs) both mean the network could not be reached.
int failureCode(int iValue)
{
    return iValue == 130 ? -1 : iValue;
}

} // namespace

CardReaction cardReaction(int iMethod, int iValue)
{
    if (iMethod == 3) {
        if (iValue == 0)
            return { CardAction::StartPolling, 0 };
        if (iValue == 120)
            return { CardAction::ShowWaiting, 0 };
        // A download request is never answered "finished" at once; treat it as a broken exchange.
        if (iValue == 200)
            return { CardAction::Fail, -1 };
        return { CardAction::Fail, failureCode(iValue) };
    }
    if (iMethod == 4) {
        if (iValue >= 0 && iValue <= 95)
            return { CardAction::ShowProgress, iValue };
        // The bar never reaches 100 before the tool is installed.
        if (iValue >= 96 && iValue <= 100)
            return { CardAction::ShowProgress, iValue - 1 };
        if (iValue == 120)
            return { CardAction::ShowWaiting, 0 };
        if (iValue == 200)
            return { CardAction::Complete, 0 };
        return { CardAction::Fail, failureCode(iValue) };
    }
    return { CardAction::Ignore, 0 };
}

} // namespace gearbay
