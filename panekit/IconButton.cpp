#include "IconButton.h"

#include <QPainter>

namespace vellum {

IconButton::IconButton(QWidget *parent)
    : QPushButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void IconButton::SetPixmap(const QPixmap &pixmap)
{
    m_pixmap = pixmap;
    update();
}

void IconButton::paintEvent(QPaintEvent *event)
{
    if (m_pixmap.isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_pixmap);
    if (isDown())
        painter.fillRect(rect(), QColor(0, 0, 0, 40));
}

} // namespace vellum
