#include "CoverWidget.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace vellum {

CoverWidget::CoverWidget(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_StyledBackground, false);
    setAttribute(Qt::WA_NoSystemBackground, true);
    if (parent)
        parent->installEventFilter(this);
    setBlackCover();
    fitParent();
}

void CoverWidget::setBlackCover()
{
    m_bBlack = true;
    // The property lets a style sheet tell the two looks apart: #CoverWidget[coverType="black"].
    setProperty("coverType", QStringLiteral("black"));
    style()->unpolish(this);
    style()->polish(this);
    update();
}

void CoverWidget::setTransactionCover()
{
    m_bBlack = false;
    setProperty("coverType", QStringLiteral("transaction"));
    style()->unpolish(this);
    style()->polish(this);
    update();
}

void CoverWidget::fitParent()
{
    if (parentWidget())
        setGeometry(parentWidget()->rect());
}

bool CoverWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        fitParent();
    return QWidget::eventFilter(watched, event);
}

void CoverWidget::showEvent(QShowEvent *event)
{
    fitParent();
    QWidget::showEvent(event);
}

void CoverWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    // Even the transparent look covers every pixel so the mouse never reaches the window.
    painter.fillRect(rect(), m_bBlack ? QColor(0, 0, 0, 115) : QColor(0, 0, 0, 1));
}

} // namespace vellum
