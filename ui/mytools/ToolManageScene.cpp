#include "ToolManageScene.h"

#include "DownloadedSubToolWidget.h"
#include "DroppableProxyWidget.h"
#include "RequestMethod.h"

#include <QGraphicsView>

namespace gearbay {

ToolManageScene::ToolManageScene(QObject *parent)
    : QGraphicsScene(parent)
{
    setSceneRect(0, 0, 0, 0);
}

bool ToolManageScene::contains(int iKey) const
{
    return indexOfKey(iKey) >= 0;
}

int ToolManageScene::indexOfKey(int iKey) const
{
    for (int i = 0; i < m_listProxy.size(); ++i) {
        if (m_listProxy.at(i)->toolKey() == iKey)
            return i;
    }
    return -1;
}

int ToolManageScene::extraHeightBefore(int index) const
{
    int iSum = 0;
    for (int i = 0; i < index && i < m_listProxy.size(); ++i)
        iSum += m_listProxy.at(i)->extraHeight();
    return iSum;
}

int ToolManageScene::slotY(int index) const
{
    return 96 * index + extraHeightBefore(index);
}

void ToolManageScene::relayout()
{
    for (int i = 0; i < m_listProxy.size(); ++i)
        m_listProxy.at(i)->setPos(0, slotY(i));
}

QVector<int> ToolManageScene::toolKeys() const
{
    QVector<int> keys;
    for (const DroppableProxyWidget *item : m_listProxy)
        keys.append(item->toolKey());
    return keys;
}

DownloadedSubToolWidget *ToolManageScene::row(int iKey) const
{
    const int index = indexOfKey(iKey);
    return index < 0 ? nullptr : m_listProxy.at(index)->subToolWidget();
}

DroppableProxyWidget *ToolManageScene::appendRow(DownloadedSubToolWidget *row, bool bDraggable)
{
    auto *item = new DroppableProxyWidget;
    item->setDraggable(bDraggable);
    item->setWidget(row);
    // Tab walks into the row's buttons (the row itself takes no focus, so the proxy would not).
    item->setFocusPolicy(Qt::TabFocus);
    item->setToolKey(row->toolKey());
    item->setExtraHeight(row->height() - 96);
    m_iExtraHeight += item->extraHeight();
    addItem(item);
    m_iContentHeight += row->height();
    if (m_listProxy.isEmpty()) {
        item->setPos(0, 0);
    } else {
        const DroppableProxyWidget *last = m_listProxy.last();
        item->setPos(0, last->y() + last->widget()->height());
    }
    m_listProxy.append(item);
    return item;
}

void ToolManageScene::removeRow(int index)
{
    DroppableProxyWidget *item = m_listProxy.takeAt(index);
    removeItem(item);
    m_iExtraHeight -= item->extraHeight();
    if (item->widget())
        m_iContentHeight -= item->widget()->height();
    if (QWidget *row = item->widget()) {
        disconnect(this, nullptr, row, nullptr);
        disconnect(row, nullptr, this, nullptr);
    }
    disconnect(item, nullptr, this, nullptr);
    // Later, because the removal can be asked for from inside the item's own mouse release.
    // The proxy owns the row widget and deletes it with itself.
    item->deleteLater();
}

void ToolManageScene::onToolStateChanged(ToolCurrentState enumType, int iKey)
{
    for (DroppableProxyWidget *item : qAsConst(m_listProxy)) {
        DownloadedSubToolWidget *row = item->subToolWidget();
        if (row && row->toolKey() == iKey)
            row->onToolStateChanged(enumType);
    }
}

void ToolManageScene::onUpdateTool(int iToolkey)
{
    emit signalSubToolsRequest(DownloadSubTool, { iToolkey });
    emit signalSubToolsStateChanged(StateRequested, iToolkey);
}

void ToolManageScene::onCancelUpdateTool(int iToolkey)
{
    emit signalSubToolsRequest(CancelDownloadSubTool, { iToolkey });
    emit signalSubToolsStateChanged(StateCancelled, iToolkey);
}

void ToolManageScene::onReupdateTool(int iToolkey)
{
    emit signalSubToolsRequest(DownloadSubTool, { iToolkey });
    emit signalSubToolsStateChanged(StateDownloading, iToolkey);
}

void ToolManageScene::onRequestDownloadRate(int iToolkey)
{
    emit signalSubToolsRequest(DownloadProgress, { iToolkey });
}

void ToolManageScene::onViewResized()
{
    if (views().size() != 1)
        return;
    int iHeight = m_iContentHeight;
    const QGraphicsView *view = views().first();
    if (view->height() > iHeight)
        iHeight = view->height();
    setSceneRect(-1, -8, 1007, iHeight);
}

} // namespace gearbay
