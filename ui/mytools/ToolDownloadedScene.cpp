#include "ToolDownloadedScene.h"

#include "ConfigureStore.h"
#include "DownloadedSubToolWidget.h"
#include "StringConvert.h"
#include "TipDialog.h"
#include "ToolCatalog.h"
#include "Utilities.h"

#include <QDebug>
#include <QFutureWatcher>
#include <QGraphicsView>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QTimer>
#include <QtConcurrent>

namespace gearbay {

namespace {
const char *const kNoticeIcon = ":/Gearbay/Image/Gearbai/icon/notice.png";
const int kSlideMs = 138;
} // namespace

ToolDownloadedScene::ToolDownloadedScene(QObject *parent)
    : ToolManageScene(parent)
    , m_pAnimationGroup(new QParallelAnimationGroup(this))
{
    qRegisterMetaType<FolderRemoval>("gearbay::FolderRemoval");
    qRegisterMetaType<DroppableProxyWidget::DragState>("gearbay::DroppableProxyWidget::DragState");
}

void ToolDownloadedScene::addTool(const ToolInfo &info)
{
    if (info.ToolKey == 0 || info.ToolKey == 1 || contains(info.ToolKey))
        return;
    auto *row = new DownloadedSubToolWidget;
    row->setToolInfo(info);
    DroppableProxyWidget *item = appendRow(row, true);
    emit signalAddTool();
    if (views().size() == 1)
        setSceneRect(-1, 0, 1007, qMax(m_iContentHeight, 627));

    connect(row, &DownloadedSubToolWidget::signalUpdateTool, this, &ToolManageScene::onUpdateTool);
    connect(
        row, &DownloadedSubToolWidget::signalCancelUpdateTool, this, &ToolManageScene::onCancelUpdateTool);
    connect(row, &DownloadedSubToolWidget::signalReupdateTool, this, &ToolManageScene::onReupdateTool);
    connect(row, &DownloadedSubToolWidget::signalRequestDownloadRate, this,
        &ToolManageScene::onRequestDownloadRate);
    connect(row, &DownloadedSubToolWidget::signalCover, this, &ToolManageScene::signalCover);
    connect(row, &DownloadedSubToolWidget::signalResized, item, &DroppableProxyWidget::onResized);
    connect(row, &DownloadedSubToolWidget::signalUpgradeCompleted, this, &ToolManageScene::relayout);
    connect(
        this, &ToolManageScene::signalServerResponded, row, &DownloadedSubToolWidget::onSolveServerResponse);
    connect(item, &DroppableProxyWidget::signalDragState, this, &ToolDownloadedScene::onSolveDragState);
    connect(row, &DownloadedSubToolWidget::signalMoveRequested, this, &ToolDownloadedScene::onMoveTool);
    connect(
        row, &DownloadedSubToolWidget::signalDeleteRequested, this, &ToolDownloadedScene::onDeleteRequested);
    connect(this, &ToolDownloadedScene::signalCloseTool, row, &DownloadedSubToolWidget::onClose);
    connect(this, &ToolManageScene::signalWaitingToolsStartDownload, row,
        &DownloadedSubToolWidget::onWaitingToolsStartDownload);
    emit signalOrderChanged();
}

QVector<int> ToolDownloadedScene::orderedKeys() const
{
    QVector<int> keys;
    keys.reserve(m_listProxy.size());
    for (const DroppableProxyWidget *item : m_listProxy)
        keys.append(item->toolKey());
    return keys;
}

void ToolDownloadedScene::restoreOrderAtPress()
{
    if (m_vectOrderAtPress.isEmpty())
        return;
    QList<DroppableProxyWidget *> listRestored;
    for (int iKey : qAsConst(m_vectOrderAtPress)) {
        const int index = indexOfKey(iKey);
        if (index >= 0)
            listRestored.append(m_listProxy.at(index));
    }
    for (DroppableProxyWidget *item : qAsConst(m_listProxy)) {
        if (!listRestored.contains(item))
            listRestored.append(item);
    }
    m_listProxy = listRestored;
    for (int i = 0; i < m_listProxy.size(); ++i) {
        DroppableProxyWidget *item = m_listProxy.at(i);
        item->setScale(1.0);
        animateTo(item, QPointF(0, slotY(i)));
    }
}

QMap<int, int> ToolDownloadedScene::toolOrderMap() const
{
    QMap<int, int> order;
    for (int i = 0; i < m_listProxy.size(); ++i)
        order.insert(m_listProxy.at(i)->toolKey(), i);
    return order;
}

void ToolDownloadedScene::animateTo(DroppableProxyWidget *item, const QPointF &target)
{
    const int iKey = item->toolKey();
    if (QPropertyAnimation *running = m_mapAnimation.take(iKey)) {
        m_pAnimationGroup->removeAnimation(running);
        running->stop();
        running->deleteLater();
    }
    auto *animation = new QPropertyAnimation(item, "pos");
    animation->setObjectName("animation");
    animation->setStartValue(item->pos());
    animation->setEndValue(target);
    animation->setDuration(kSlideMs);
    connect(animation, &QPropertyAnimation::finished, this, &ToolDownloadedScene::onAnimationFinish);
    m_pAnimationGroup->addAnimation(animation);
    m_mapAnimation.insert(iKey, animation);
    startAnimations();
}

void ToolDownloadedScene::startAnimations()
{
    if (m_pAnimationGroup->state() != QAbstractAnimation::Running)
        m_pAnimationGroup->start(QAbstractAnimation::KeepWhenStopped);
}

void ToolDownloadedScene::onAnimationFinish()
{
    auto *animation = qobject_cast<QPropertyAnimation *>(sender());
    if (!animation)
        return;
    m_pAnimationGroup->removeAnimation(animation);
    for (auto it = m_mapAnimation.begin(); it != m_mapAnimation.end(); ++it) {
        if (it.value() == animation) {
            m_mapAnimation.erase(it);
            break;
        }
    }
    animation->deleteLater();
}

void ToolDownloadedScene::onSolveDragState(DroppableProxyWidget::DragState state)
{
    auto *item = qobject_cast<DroppableProxyWidget *>(sender());
    if (!item)
        return;
    DownloadedSubToolWidget *row = item->subToolWidget();
    switch (state) {
    case DroppableProxyWidget::DragMoving:
        m_bNeedRelayout = true;
        m_pDragItem = item;
        emit signalDragState(item->toolKey(), 1);
        if (row)
            row->setDragging(true);
        swapWithNeighbour(item);
        break;
    case DroppableProxyWidget::DragReleased:
        m_pDragItem = nullptr;
        if (row)
            row->setDragging(false);
        settleItem(item);
        // Last: a drop on the trash deletes the item (or, refused, puts the order back).
        emit signalDragState(item->toolKey(), 0);
        {
            QVector<int> vectBefore;
            for (int iKey : qAsConst(m_vectOrderAtPress)) {
                if (contains(iKey))
                    vectBefore.append(iKey);
            }
            m_vectOrderAtPress.clear();
            if (vectBefore != orderedKeys())
                emit signalOrderChanged();
        }
        break;
    case DroppableProxyWidget::DragPressed:
        m_vectOrderAtPress = orderedKeys();
        break;
    }
}

void ToolDownloadedScene::swapWithNeighbour(DroppableProxyWidget *item)
{
    const int n = m_listProxy.size();
    const int i = m_listProxy.indexOf(item);
    if (n <= 1 || i < 0)
        return;
    if (i == 0) {
        if (item->bottom() > m_listProxy.at(1)->centerY()) {
            m_listProxy.swapItemsAt(0, 1);
            animateTo(m_listProxy.at(0), QPointF(0, 0));
        }
    } else {
        if (i < n - 1 && item->bottom() > m_listProxy.at(i + 1)->centerY()) {
            m_listProxy.swapItemsAt(i, i + 1);
            animateTo(m_listProxy.at(i), QPointF(0, slotY(i)));
        } else if (m_listProxy.at(i - 1)->centerY() > item->y()) {
            m_listProxy.swapItemsAt(i, i - 1);
            animateTo(m_listProxy.at(i), QPointF(0, slotY(i)));
        }
    }
    startAnimations();
}

void ToolDownloadedScene::onMoveTool(int iToolkey, int iStep)
{
    const int i = indexOfKey(iToolkey);
    const int j = i + iStep;
    if (i < 0 || j < 0 || j >= m_listProxy.size())
        return;
    m_listProxy.swapItemsAt(i, j);
    emit signalOrderChanged();
    animateTo(m_listProxy.at(i), QPointF(0, slotY(i)));
    animateTo(m_listProxy.at(j), QPointF(0, slotY(j)));
    for (QGraphicsView *view : views())
        view->ensureVisible(QRectF(0, slotY(j), 1, m_listProxy.at(j)->size().height()));
}

void ToolDownloadedScene::onDeleteRequested(int iToolkey)
{
    const QString strToolName = vellum::ConvertToUnicode(ToolCatalog::instance()->toolName(iToolkey));
    emit signalCover(true);
    const int answer = TipDialog::showTip(kNoticeIcon, tr("Remove %1 and delete its files?").arg(strToolName),
        tr("OK"), tr("Cancel"), true, views().isEmpty() ? nullptr : views().first());
    emit signalCover(false);
    if (answer == 1)
        onDeleteTool(iToolkey);
}

void ToolDownloadedScene::settleItem(DroppableProxyWidget *item)
{
    if (item->scale() != 1.0)
        item->setScale(1.0);
    const int i = m_listProxy.indexOf(item);
    if (i >= 0)
        animateTo(item, QPointF(0, slotY(i)));
}

void ToolDownloadedScene::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    if (m_bNeedRelayout) {
        m_bNeedRelayout = false;
        QTimer::singleShot(kSlideMs, this, &ToolManageScene::relayout);
    }
    QGraphicsScene::mouseReleaseEvent(event);
}

void ToolDownloadedScene::onSolveHoverDeleteState(bool isHover)
{
    if (!m_pDragItem)
        return;
    if (isHover) {
        m_pDragItem->setTransformOriginPoint(m_pDragItem->boundingRect().center());
        m_pDragItem->setScale(0.5);
    } else {
        m_pDragItem->setScale(1.0);
    }
}

void ToolDownloadedScene::onDeleteTool(int iToolkey)
{
    ToolCatalog *catalog = ToolCatalog::instance();
    auto info = catalog->findInfo(iToolkey);
    const QString strExeName
        = info != catalog->toolInfos().end() ? vellum::ConvertToUnicode(info->ExeName) : QString();
    const QString strToolName = vellum::ConvertToUnicode(catalog->toolName(iToolkey));
    QWidget *parentWidget = views().isEmpty() ? nullptr : views().first();
    if (!strExeName.isEmpty() && isProcessRunning(strExeName)) {
        // Dragged to the trash, the row passed all those below it: nothing moved after all.
        restoreOrderAtPress();
        emit signalCover(true);
        TipDialog::showTip(kNoticeIcon, strToolName + " " + tr("Software already opened."), tr("OK"),
            tr("Cancel"), false, parentWidget);
        emit signalCover(false);
        return;
    }
    const int index = indexOfKey(iToolkey);
    if (index < 0)
        return;
    if (m_pDragItem == m_listProxy.at(index))
        m_pDragItem = nullptr;
    if (QPropertyAnimation *running = m_mapAnimation.take(iToolkey)) {
        m_pAnimationGroup->removeAnimation(running);
        running->stop();
        running->deleteLater();
    }
    removeRow(index);

    auto state = catalog->findState(iToolkey);
    if (state != catalog->toolStates().end()) {
        state->IsDownload = 0;
        state->IsNeedUpdate = 0;
        if (info != catalog->toolInfos().end())
            state->CurrentVersion = info->Version;
        catalog->saveToolStates();
    }
    if (!strExeName.isEmpty())
        removeFolderInBackground(iToolkey, strToolName, ToolCatalog::folderNameOf(strExeName));

    emit signalToolDeleted(iToolkey);
    relayout();
    if (m_listProxy.isEmpty())
        emit signalAllToolsDeleted();
}

void ToolDownloadedScene::removeFolderInBackground(
    int iToolKey, const QString &strToolName, const QString &strFolderName)
{
    // The card offers the download again at once: a new install may land in the folder's place
    // while the old files are still being removed, so they leave that place first.
    FolderRemoval emAsideResult = FolderRemoval::Removed;
    const QString strAside
        = setToolFolderAside(ConfigureStore::instance()->downloadPath(), strFolderName, &emAsideResult);
    auto *watcher = new QFutureWatcher<FolderRemoval>(this);
    connect(watcher, &QFutureWatcher<FolderRemoval>::finished, this, [=] {
        const FolderRemoval emResult = watcher->result();
        watcher->deleteLater();
        QWidget *parentWidget = views().isEmpty() ? nullptr : views().first();
        QString strMessage;
        if (emResult == FolderRemoval::Refused) {
            qWarning() << "---orlenk--- refused to delete a folder outside SubTools:" << strFolderName;
            strMessage = tr("The folder of %1 is not inside the tools folder, so nothing was deleted.")
                             .arg(strToolName);
        } else if (emResult == FolderRemoval::Failed) {
            qWarning() << "---orlenk--- could not remove all of" << strFolderName;
            strMessage
                = tr("Some files of %1 could not be deleted. Please check the permissions of its folder.")
                      .arg(strToolName);
        } else if (emResult == FolderRemoval::AlreadyGone) {
            qDebug() << "---orlenk--- the folder of" << strFolderName << "was already gone";
        }
        if (!strMessage.isEmpty()) {
            emit signalCover(true);
            TipDialog::showTip(kNoticeIcon, strMessage, tr("OK"), tr("Cancel"), false, parentWidget);
            emit signalCover(false);
        }
        emit signalToolFolderRemoved(iToolKey, emResult);
    });
    watcher->setFuture(strAside.isEmpty() ? QtConcurrent::run([emAsideResult] { return emAsideResult; })
                                          : QtConcurrent::run(removeSetAsideFolder, strAside));
}

} // namespace gearbay
