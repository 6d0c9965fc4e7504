#include "DetailPixmaps.h"

#include <QFont>
#include <QPainter>

namespace gearbay {

QPixmap detailPlaceholder(const QSize &size, const QString &strCaption, int iPixelSize)
{
    QPixmap pixmap(size.expandedTo(QSize(1, 1)));
    pixmap.fill(QColor(QStringLiteral("#F5F5F5")));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(QStringLiteral("#E6E6E6")));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    QFont font = painter.font();
    font.setPixelSize(iPixelSize);
    painter.setFont(font);
    painter.setPen(QColor(QStringLiteral("#999999")));
    painter.drawText(pixmap.rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, strCaption);
    return pixmap;
}

} // namespace gearbay
