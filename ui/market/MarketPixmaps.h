#ifndef GEARBAY_MARKETPIXMAPS_H
#define GEARBAY_MARKETPIXMAPS_H

#include <QPixmap>
#include <QSize>
#include <QString>

namespace gearbay {

// A neutral picture drawn in place of a catalog image that is missing or cannot be read.
QPixmap placeholderPixmap(const QSize &size);

// The image at strPath scaled into size (keeping its aspect ratio), or the placeholder when the file
// is missing or not an image; the failure is logged, never shown to the user.
QPixmap pixmapOrPlaceholder(const QString &strPath, const QSize &size);

// Small marks of the tool card, drawn here so the card reads well even without a style sheet image:
// the "new" corner ribbon, the lock of tools that need a directory login, and the retry arrow.
QPixmap newMarkPixmap(int iSide);
QPixmap lockPixmap(int iSide);
QPixmap retryPixmap(int iSide);
QPixmap cancelPixmap(int iSide);
// The banner's "next picture" button: a chevron on a dark translucent disc.
QPixmap nextPixmap(int iSide);

} // namespace gearbay

#endif
