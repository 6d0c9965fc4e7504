#pragma once

#include <QGraphicsProxyWidget>
#include <QMetaType>

namespace gearbay {

class DownloadedSubToolWidget;

// The graphics item that carries one tool row on the board or in the update list. It lets the
// row's own buttons work and reports presses, moves and releases so the board can sort by drag.
class DroppableProxyWidget : public QGraphicsProxyWidget
{
    Q_OBJECT

public:
    enum DragState {
        DragPressed = 0,
        DragMoving = 1,
        DragReleased = 2,
    };
    Q_ENUM(DragState)

    explicit DroppableProxyWidget(QGraphicsItem *parent = nullptr);

    void setDraggable(bool bDraggable);
    int bottom() const;
    int centerY() const;
    int toolKey() const { return m_iToolKey; }
    void setToolKey(int iKey) { m_iToolKey = iKey; }
    int extraHeight() const { return m_iExtraHeight; }
    void setExtraHeight(int iExtra) { m_iExtraHeight = iExtra; }
    DownloadedSubToolWidget *subToolWidget();

signals:
    void signalDragState(gearbay::DroppableProxyWidget::DragState state);

public slots:
    void onResized(QSize newSize);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    bool overControl(QGraphicsSceneMouseEvent *event);

    bool m_bPressed = false;
    int m_iToolKey = -1;
    int m_iExtraHeight = 0;
    DownloadedSubToolWidget *m_pSubToolWidget = nullptr;
};

} // namespace gearbay

Q_DECLARE_METATYPE(gearbay::DroppableProxyWidget::DragState)
