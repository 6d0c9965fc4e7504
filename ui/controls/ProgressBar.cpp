#include "ProgressBar.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace gearbay {

ProgressBar::ProgressBar(QWidget *parent)
    : QProgressBar(parent)
    , m_chunkColor(QStringLiteral("#34D14E"))
    , m_backColor(QStringLiteral("#E6E6E6"))
    , m_strText(tr("Download Fail!"))
{
    resetFont();
}

void ProgressBar::resetFont()
{
    m_font = QFont(QStringLiteral("Microsoft Yahei"));
    m_font.setPixelSize(10);
    m_font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
}

void ProgressBar::paintEvent(QPaintEvent *)
{
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    painter.setBrush(m_backColor);
    painter.drawChord(QRect(0, 0, h, h), 90 * 16, 180 * 16);
    painter.drawChord(QRect(w - h, 0, h, h), -90 * 16, 180 * 16);
    painter.drawRect(QRect(h / 2, 0, w - h, h));

    // A reset bar holds minimum - 1 and a busy bar has an empty range: both draw as empty.
    const int iRange = maximum() - minimum();
    const double r = iRange > 0 ? qBound(0.0, double(value()) / iRange, 1.0) : 0.0;
    const double f = w * r;
    // The filled shape as one path: drawn in the chunk colour, and the clip of the light text.
    QPainterPath fill;
    if (f < h) {
        // Too short for the left cap: the part of the cap's disc left of f, as a lens.
        const double dRadius = h / 2.0;
        const double dInset = dRadius - f / 2.0;
        const double c = 2.0 * qSqrt(qMax(0.0, dRadius * dRadius - dInset * dInset));
        if (f > 0.0)
            fill.addEllipse(QRectF(0.0, (h - c) / 2.0, f, c));
    } else {
        QPainterPath leftCap(QPointF(h / 2.0, h / 2.0));
        leftCap.arcTo(QRectF(0, 0, h, h), 90, 180);
        QPainterPath body;
        body.addRect(QRect(int(h * 0.5), 0, int(f - h + 1), h));
        QPainterPath rightCap(QPointF(f - h / 2.0, h / 2.0));
        rightCap.arcTo(QRectF(f - h, 0.0, h, h), -90, 180);
        fill = leftCap.united(body).united(rightCap);
    }
    painter.setBrush(m_chunkColor);
    painter.drawPath(fill);

    // White text is lost on the light track: dark where the track shows, white over the fill.
    painter.setBrush(Qt::NoBrush);
    const QString strText = m_iMode != 0 ? m_strText : QString::number(int(r * 100)) + QLatin1Char('%');
    const int iTextWidth = fontMetrics().horizontalAdvance(strText);
    const int iPixelSize = m_font.pixelSize();
    const QPoint origin((w - iTextWidth) / 2, iPixelSize + (h - iPixelSize) / 2 - 1);
    QPainterPath track;
    track.addRect(QRectF(rect()));
    painter.setClipPath(track.subtracted(fill));
    painter.setPen(QColor(QStringLiteral("#333333")));
    painter.drawText(origin, strText);
    painter.setClipPath(fill);
    painter.setPen(Qt::white);
    painter.drawText(origin, strText);
}

} // namespace gearbay
