#include "BaseConfigButon.h"

#include <QFontMetrics>
#include <QPainter>

namespace gearbay {

BaseConfigButon::BaseConfigButon(
    const QString &strText, const QString &strIconPath, const QString &strTagIconPath, QWidget *parent)
    : QToolButton(parent)
{
    setContent(strText, strIconPath, strTagIconPath);
}

BaseConfigButon::BaseConfigButon(QWidget *parent)
    : QToolButton(parent)
{
    fitToCaption();
}

void BaseConfigButon::setContent(
    const QString &strText, const QString &strIconPath, const QString &strTagIconPath)
{
    m_strText = strText;
    m_strIconPath = strIconPath;
    m_strTagIconPath = strTagIconPath;
    // A missing or broken file leaves a null image, which draws nothing.
    m_tagImage = strTagIconPath.isEmpty() ? QImage() : QImage(strTagIconPath);
    m_normalImage = strIconPath.isEmpty() ? QImage() : QImage(strIconPath);
    fitToCaption();
    update();
}

void BaseConfigButon::setDisableIcon(const QString &strName, const QString &strImagePath)
{
    m_strDisableIconPath = strName;
    m_disableImage = strImagePath.isEmpty() ? QImage() : QImage(strImagePath);
    update();
}

void BaseConfigButon::setFontSize(int iFontSize)
{
    m_iFontSize = iFontSize;
    fitToCaption();
    update();
}

void BaseConfigButon::setHoverColor(const QColor &color)
{
    m_hoverColor = color;
    update();
}

void BaseConfigButon::setColors(
    const QString &strNormalName, const QString &strHoverName, const QString &strPressName)
{
    m_strNormalColor = strNormalName;
    m_hoverColor = QColor(strHoverName);
    m_pressColor = QColor(strPressName);
    update();
}

void BaseConfigButon::setSelected(bool bSelected)
{
    m_bSelected = bSelected;
    update();
}

void BaseConfigButon::enterEvent(QEvent *event)
{
    m_bHover = true;
    QToolButton::enterEvent(event);
    update();
}

void BaseConfigButon::leaveEvent(QEvent *event)
{
    m_bHover = false;
    QToolButton::leaveEvent(event);
    update();
}

QFont BaseConfigButon::captionFont() const
{
    QFont captionFont(QStringLiteral("Microsoft YaHei"));
    captionFont.setPixelSize(m_iFontSize);
    return captionFont;
}

void BaseConfigButon::fitToCaption()
{
    const int t = QFontMetrics(captionFont()).horizontalAdvance(m_strText);
    const QSize size(m_strTagIconPath.isEmpty() ? t + 38 : t + 58, 32);
    // Only on a change: fixing the size from paintEvent must not queue endless relayouts.
    if (minimumSize() != size || maximumSize() != size)
        setFixedSize(size);
}

void BaseConfigButon::paintEvent(QPaintEvent *event)
{
    QToolButton::paintEvent(event);
    fitToCaption();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(captionFont());
    const int t = painter.fontMetrics().horizontalAdvance(m_strText);

    if (!isEnabled()) {
        m_curImage = m_disableImage;
    } else {
        m_curImage = m_normalImage;
        QColor background(m_strNormalColor);
        if (m_bSelected)
            background = m_pressColor;
        else if (m_bHover)
            background = isDown() ? m_pressColor : m_hoverColor;
        painter.setPen(Qt::transparent);
        painter.setBrush(background);
        painter.drawRoundedRect(rect(), 2, 2);
    }

    painter.setPen(QColor(isEnabled() ? QStringLiteral("#666666") : QStringLiteral("#cccccc")));
    if (!m_strTagIconPath.isEmpty() && !m_tagImage.isNull())
        painter.drawImage(QRect(t + 32, 4, 24, 24), m_tagImage);
    if (!m_curImage.isNull())
        painter.drawImage(QRect(4, 4, 24, 24), m_curImage);
    painter.drawText(QRect(32, 0, t, 32), Qt::AlignCenter, m_strText);
}

} // namespace gearbay
