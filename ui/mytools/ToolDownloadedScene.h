#pragma once

#include "DroppableProxyWidget.h"
#include "ToolFolder.h"
#include "ToolManageScene.h"

#include <QMap>
#include <QVector>

class QParallelAnimationGroup;
class QPropertyAnimation;

namespace gearbay {

// The installed tools board: one row per installed tool, sorted by dragging (the neighbours slide
// out of the way), uninstalled by dropping a row on the trash target.
class ToolDownloadedScene : public ToolManageScene
{
    Q_OBJECT

public:
    explicit ToolDownloadedScene(QObject *parent = nullptr);

    void addTool(const ToolInfo &info) override;
    // Tool key -> 0-based place on the board.
    QMap<int, int> toolOrderMap() const;
    void animateTo(DroppableProxyWidget *item, const QPointF &target);

signals:
    void signalToolDeleted(int iToolKey);
    void signalDragState(int iToolkey, int iState);
    void signalCloseTool();
    void signalAddTool();
    void signalAllToolsDeleted();
    // The removal of a deleted tool's folder has ended (it runs off the GUI thread).
    void signalToolFolderRemoved(int iToolKey, gearbay::FolderRemoval emResult);
    // The board's order changed for good: a drag that ended elsewhere, or a tool added at the end.
    void signalOrderChanged();

public slots:
    void onDeleteTool(int iToolkey);
    void onSolveHoverDeleteState(bool isHover);
    void onSolveDragState(gearbay::DroppableProxyWidget::DragState state);
    void onAnimationFinish();
    // The keyboard's reorder: one place up (iStep -1) or down (+1), sliding like a drag.
    void onMoveTool(int iToolkey, int iStep);
    // The keyboard's delete: asks first, then removes the tool as a drop on the trash does.
    void onDeleteRequested(int iToolkey);

protected:
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void swapWithNeighbour(DroppableProxyWidget *item);
    void settleItem(DroppableProxyWidget *item);
    void startAnimations();
    QVector<int> orderedKeys() const;
    // Puts the rows back in the order they had when the drag began.
    void restoreOrderAtPress();
    void removeFolderInBackground(int iToolKey, const QString &strToolName, const QString &strFolderName);

    QParallelAnimationGroup *m_pAnimationGroup = nullptr;
    QMap<int, QPropertyAnimation *> m_mapAnimation;
    DroppableProxyWidget *m_pDragItem = nullptr;
    bool m_bNeedRelayout = false;
    // Tool keys in board order when the current drag began; empty outside a drag.
    QVector<int> m_vectOrderAtPress;
};

} // namespace gearbay
