#include "BreviaryLabel.h"

#include <QFontMetrics>

namespace gearbay {

void BreviaryLabel::setBreviaryText(const QString &strText)
{
    const QFontMetrics metrics(font());
    if (metrics.horizontalAdvance(strText) < 416)
        setText(strText);
    else
        setText(metrics.elidedText(strText, Qt::ElideRight, 374));
}

} // namespace gearbay
