#include "MarketPixmaps.h"

#include <QDebug>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

namespace gearbay {

QPixmap placeholderPixmap(const QSize &size)
{
    QPixmap pixmap(size.isValid() && !size.isEmpty() ? size : QSize(32, 32));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF rect = QRectF(pixmap.rect()).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(QColor("#d5d8d8"), 1));
    painter.setBrush(QColor("#f2f3f3"));
    painter.drawRoundedRect(rect, 6, 6);

    // A small "picture" sign: a sun over two hills, centred and scaled to the shorter side.
    const qreal side = qMin(rect.width(), rect.height()) * 0.5;
    const QRectF sign(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side * 0.8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor("#c4c8c8"));
    QPainterPath hills;
    hills.moveTo(sign.left(), sign.bottom());
    hills.lineTo(sign.left() + sign.width() * 0.35, sign.top() + sign.height() * 0.4);
    hills.lineTo(sign.left() + sign.width() * 0.55, sign.top() + sign.height() * 0.7);
    hills.lineTo(sign.left() + sign.width() * 0.75, sign.top() + sign.height() * 0.5);
    hills.lineTo(sign.right(), sign.bottom());
    hills.closeSubpath();
    painter.drawPath(hills);
    const qreal sun = sign.width() * 0.18;
    painter.drawEllipse(QPointF(sign.right() - sun, sign.top() + sun), sun * 0.7, sun * 0.7);
    return pixmap;
}

QPixmap pixmapOrPlaceholder(const QString &strPath, const QSize &size)
{
    QImageReader reader(strPath);
    const QImage image = reader.read();
    if (image.isNull()) {
        qWarning() << "---orlenk--- image not usable:" << strPath << reader.errorString();
        return placeholderPixmap(size);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    if (size.isValid() && !size.isEmpty() && pixmap.size() != size)
        pixmap = pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return pixmap;
}

namespace {

void beginPixmap(int iSide, QPainter &painter, QPixmap &pixmap)
{
    pixmap = QPixmap(iSide, iSide);
    pixmap.fill(Qt::transparent);
    painter.begin(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
}

// The grey disc under the card's small round buttons, drawn on a 24-unit grid with the mark's pen set.
void beginRoundMark(int iSide, QPainter &painter, QPixmap &pixmap)
{
    beginPixmap(iSide, painter, pixmap);
    const qreal s = iSide / 24.0;
    painter.scale(s, s);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor("#F1F1F1"));
    painter.drawEllipse(QPointF(12, 12), 9, 9);
    painter.setPen(QPen(QColor("#666666"), 1.5, Qt::SolidLine, Qt::RoundCap));
}

QPixmap drawNewMarkPixmap(int iSide)
{
    QPixmap pixmap;
    QPainter painter;
    beginPixmap(iSide, painter, pixmap);
    // A red triangle in the top-left corner with "NEW" along its diagonal.
    QPainterPath corner;
    corner.moveTo(0, 0);
    corner.lineTo(iSide, 0);
    corner.lineTo(0, iSide);
    corner.closeSubpath();
    painter.fillPath(corner, QColor("#FA3239"));
    QFont font = painter.font();
    font.setPixelSize(qMax(6, iSide / 4));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.translate(iSide * 0.36, iSide * 0.36);
    painter.rotate(-45);
    painter.drawText(QRectF(-iSide / 2.0, -iSide / 4.0, iSide, iSide / 4.0), Qt::AlignCenter, "NEW");
    painter.end();
    return pixmap;
}

QPixmap drawLockPixmap(int iSide)
{
    QPixmap pixmap;
    QPainter painter;
    beginPixmap(iSide, painter, pixmap);
    const qreal s = iSide / 24.0;
    painter.scale(s, s);
    painter.setPen(QPen(QColor("#999999"), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(8, 4, 8, 10), 0, 180 * 16);
    painter.drawLine(QPointF(8, 9), QPointF(8, 11));
    painter.drawLine(QPointF(16, 9), QPointF(16, 11));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor("#999999"));
    painter.drawRoundedRect(QRectF(6, 11, 12, 9), 2, 2);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(12, 15.5), 1.5, 1.5);
    painter.end();
    return pixmap;
}

QPixmap drawRetryPixmap(int iSide)
{
    QPixmap pixmap;
    QPainter painter;
    beginRoundMark(iSide, painter, pixmap);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(7.5, 7.5, 9, 9), 60 * 16, 270 * 16);
    QPainterPath head;
    head.moveTo(16.8, 6.6);
    head.lineTo(16.6, 10.2);
    head.lineTo(13.2, 9.2);
    painter.drawPath(head);
    painter.end();
    return pixmap;
}

QPixmap drawCancelPixmap(int iSide)
{
    QPixmap pixmap;
    QPainter painter;
    beginRoundMark(iSide, painter, pixmap);
    painter.drawLine(QPointF(8.5, 8.5), QPointF(15.5, 15.5));
    painter.drawLine(QPointF(15.5, 8.5), QPointF(8.5, 15.5));
    painter.end();
    return pixmap;
}

QPixmap drawNextPixmap(int iSide)
{
    QPixmap pixmap;
    QPainter painter;
    beginPixmap(iSide, painter, pixmap);
    const qreal s = iSide / 32.0;
    painter.scale(s, s);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawEllipse(QPointF(16, 16), 15, 15);
    painter.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({ QPointF(13, 9), QPointF(20, 16), QPointF(13, 23) }));
    painter.end();
    return pixmap;
}

// The marks are the same on every card; drawing them once per size keeps a large catalog quick to show.
QPixmap cachedMark(const char *name, int iSide, QPixmap (*draw)(int))
{
    const QString strKey = QStringLiteral("gearbay-mark-%1-%2").arg(QLatin1String(name)).arg(iSide);
    QPixmap pixmap;
    if (!QPixmapCache::find(strKey, &pixmap)) {
        pixmap = draw(iSide);
        QPixmapCache::insert(strKey, pixmap);
    }
    return pixmap;
}

} // namespace

QPixmap newMarkPixmap(int iSide)
{
    return cachedMark("newMarkPixmap", iSide, drawNewMarkPixmap);
}

QPixmap lockPixmap(int iSide)
{
    return cachedMark("lockPixmap", iSide, drawLockPixmap);
}

QPixmap retryPixmap(int iSide)
{
    return cachedMark("retryPixmap", iSide, drawRetryPixmap);
}

QPixmap cancelPixmap(int iSide)
{
    return cachedMark("cancelPixmap", iSide, drawCancelPixmap);
}

QPixmap nextPixmap(int iSide)
{
    return cachedMark("nextPixmap", iSide, drawNextPixmap);
}

} // namespace gearbay
