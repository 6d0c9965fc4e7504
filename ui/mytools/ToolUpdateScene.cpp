#include "ToolUpdateScene.h"

#include "DownloadedSubToolWidget.h"
#include "DroppableProxyWidget.h"
#include "RequestMethod.h"
#include "ToolInfo.h"

namespace gearbay {

ToolUpdateScene::ToolUpdateScene(QObject *parent)
    : ToolManageScene(parent)
{
}

void ToolUpdateScene::addTool(const ToolInfo &info)
{
    if (info.ToolKey == 0 || info.ToolKey == 1 || contains(info.ToolKey))
        return;
    auto *row = new DownloadedSubToolWidget;
    row->hideOpenButton();
    row->setToolInfo(info);
    appendRow(row, false);
    if (views().size() == 1)
        setSceneRect(-1, -4, 1005, qMax(m_iContentHeight, 603));

    connect(row, &DownloadedSubToolWidget::signalUpdateTool, this, &ToolManageScene::onUpdateTool);
    connect(
        row, &DownloadedSubToolWidget::signalCancelUpdateTool, this, &ToolManageScene::onCancelUpdateTool);
    connect(row, &DownloadedSubToolWidget::signalReupdateTool, this, &ToolManageScene::onReupdateTool);
    connect(row, &DownloadedSubToolWidget::signalRequestDownloadRate, this,
        &ToolManageScene::onRequestDownloadRate);
    connect(
        row, &DownloadedSubToolWidget::signalUpgradeCompleted, this, &ToolUpdateScene::onUpgradeCompleted);
    connect(row, &DownloadedSubToolWidget::signalCheckBoxStateChanged, this,
        &ToolUpdateScene::onSubCheckBoxStateChanged);
    connect(
        this, &ToolManageScene::signalServerResponded, row, &DownloadedSubToolWidget::onSolveServerResponse);
    connect(this, &ToolUpdateScene::signalBatchUpdateSelecting, row,
        &DownloadedSubToolWidget::onSetCheckBoxVisible);
    connect(this, &ToolManageScene::signalWaitingToolsStartDownload, row,
        &DownloadedSubToolWidget::onWaitingToolsStartDownload);
}

void ToolUpdateScene::onSolveBatchUpdate()
{
    QVector<int> keys;
    for (DroppableProxyWidget *item : qAsConst(m_listProxy)) {
        DownloadedSubToolWidget *row = item->subToolWidget();
        if (row && row->isChecked() && !row->isBusy())
            keys.append(row->toolKey());
    }
    emit signalBatchUpdateTools(DownloadSubTool, keys);
}

void ToolUpdateScene::onSolveCheckAllState(int state)
{
    for (DroppableProxyWidget *item : qAsConst(m_listProxy)) {
        if (DownloadedSubToolWidget *row = item->subToolWidget())
            row->setCheckState(state);
    }
}

void ToolUpdateScene::onSetSubCkeckBoxVisible(bool visible)
{
    for (DroppableProxyWidget *item : qAsConst(m_listProxy)) {
        if (DownloadedSubToolWidget *row = item->subToolWidget())
            row->onSetCheckBoxVisible(visible);
    }
}

void ToolUpdateScene::onToolDeleted(int iToolkey)
{
    const int index = indexOfKey(iToolkey);
    if (index < 0)
        return;
    removeRow(index);
    relayout();
}

void ToolUpdateScene::onUpgradeCompleted(int iKey)
{
    if (!contains(iKey))
        return;
    onToolDeleted(iKey);
    emit signalUpgradeCompleted(iKey);
}

void ToolUpdateScene::onSubCheckBoxStateChanged()
{
    int iChecked = 0;
    for (DroppableProxyWidget *item : qAsConst(m_listProxy)) {
        DownloadedSubToolWidget *row = item->subToolWidget();
        if (row && row->isChecked())
            ++iChecked;
    }
    emit signalSubCheckBoxStateChanged(iChecked == m_listProxy.size() ? 9999 : iChecked);
}

} // namespace gearbay
