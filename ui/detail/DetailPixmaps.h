#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace gearbay {

// A plain grey picture with a centred caption, shown where a logo or screenshot is missing or
// cannot be read.
QPixmap detailPlaceholder(const QSize &size, const QString &strCaption, int iPixelSize = 14);

} // namespace gearbay
