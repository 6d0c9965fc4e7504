#include "DroppableProxyWidget.h"

#include "DownloadedSubToolWidget.h"

#include <QGraphicsSceneMouseEvent>

namespace gearbay {

DroppableProxyWidget::DroppableProxyWidget(QGraphicsItem *parent)
    : QGraphicsProxyWidget(parent)
{
}

void DroppableProxyWidget::setDraggable(bool bDraggable)
{
    if (bDraggable)
        setFlags(QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemSendsGeometryChanges);
    else
        setFlags(QGraphicsItem::ItemIsSelectable | QGraphicsItem::ItemSendsGeometryChanges);
}

int DroppableProxyWidget::bottom() const
{
    return int(y()) + (widget() ? widget()->height() : 0);
}

int DroppableProxyWidget::centerY() const
{
    return int(y()) + (widget() ? widget()->height() : 0) / 2;
}

DownloadedSubToolWidget *DroppableProxyWidget::subToolWidget()
{
    if (!m_pSubToolWidget)
        m_pSubToolWidget = dynamic_cast<DownloadedSubToolWidget *>(widget());
    return m_pSubToolWidget;
}

void DroppableProxyWidget::onResized(QSize newSize)
{
    m_iExtraHeight = newSize.height() - 96;
}

bool DroppableProxyWidget::overControl(QGraphicsSceneMouseEvent *event)
{
    DownloadedSubToolWidget *row = subToolWidget();
    return row && row->isOverControl(event->pos().toPoint());
}

void DroppableProxyWidget::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (overControl(event))
        QGraphicsProxyWidget::mousePressEvent(event);
    m_bPressed = true;
    setZValue(999);
    // The item's own handling records the press so that the following moves drag it.
    QGraphicsItem::mousePressEvent(event);
    emit signalDragState(DragPressed);
}

void DroppableProxyWidget::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (overControl(event))
        QGraphicsProxyWidget::mouseMoveEvent(event);
    if (m_bPressed)
        emit signalDragState(DragMoving);
    QGraphicsItem::mouseMoveEvent(event);
}

void DroppableProxyWidget::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    m_bPressed = false;
    if (overControl(event))
        QGraphicsProxyWidget::mouseReleaseEvent(event);
    setZValue(0);
    QGraphicsItem::mouseReleaseEvent(event);
    emit signalDragState(DragReleased);
}

} // namespace gearbay
