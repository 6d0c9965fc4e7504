#include "DetailActionView.h"

namespace gearbay {

DetailActionView detailActionView(int iIsDownload, int iIsNeedUpdate)
{
    if (iIsDownload == 0)
        return DetailActionView::Download;
    if (iIsDownload == 1 && iIsNeedUpdate == 0)
        return DetailActionView::Open;
    if (iIsDownload == 1 && iIsNeedUpdate == 1)
        return DetailActionView::Update;
    return DetailActionView::Unchanged;
}

} // namespace gearbay
