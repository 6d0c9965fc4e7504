#include "ToolBoxWidget.h"

#include "DownloadToolsWidget.h"
#include "TipFrame.h"
#include "ToolCatalog.h"
#include "ToolDownloadedScene.h"
#include "ToolUpdateScene.h"
#include "UpdateToolsWidget.h"
#include "ui_ToolBoxWidget.h"

#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <QtDebug>

namespace gearbay {

namespace {

QGridLayout *zeroMarginGrid(QWidget *content)
{
    auto *layout = new QGridLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content, 0, 0);
    return layout;
}

} // namespace

ToolBoxWidget::ToolBoxWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::ToolBoxWidget)
{
    qRegisterMetaType<ToolCurrentState>("ToolCurrentState");
    qRegisterMetaType<ToolCurrentState>("gearbay::ToolCurrentState");
    ui->setupUi(this);
    ui->m_ToolBoxTabWidget->setCurrentTab(0);

    m_pDownloadToolsWidget = new DownloadToolsWidget(this);
    m_pUpdateToolsWidget = new UpdateToolsWidget(this);
    ui->m_ToolBoxTabWidget->setDownloadedTabLayout(zeroMarginGrid(m_pDownloadToolsWidget));
    ui->m_ToolBoxTabWidget->setUpdateTabLayout(zeroMarginGrid(m_pUpdateToolsWidget));

    m_pDownloadedScene = new ToolDownloadedScene(this);
    m_pDownloadToolsWidget->setScene(m_pDownloadedScene);
    m_pUpdateScene = new ToolUpdateScene(this);
    m_pUpdateToolsWidget->setScene(m_pUpdateScene);

    m_pUpdateNumLabel = new QLabel(this);
    m_pUpdateNumLabel->setObjectName("m_pUpdateNumLabel");
    m_pUpdateNumLabel->resize(14, 14);
    m_pUpdateNumLabel->setAlignment(Qt::AlignCenter);
    m_pUpdateNumLabel->setStyleSheet("QLabel#m_pUpdateNumLabel{background:#FA3239;color:#ffffff;"
                                     "border-radius:7px;font-size:9px;}");
    m_pUpdateNumLabel->hide();

    m_pLinelabel = new QLabel(ui->m_ToolBoxTabWidget);
    m_pLinelabel->setObjectName("m_pLinelabel");
    m_pLinelabel->setFixedHeight(1);
    m_pLinelabel->resize(771, 1);
    m_pLinelabel->setStyleSheet("background:#EBEBEB;");

    m_pTipFrame = new TipFrame(this);

    ToolDownloadedScene *board = m_pDownloadedScene;
    ToolUpdateScene *updates = m_pUpdateScene;
    for (ToolManageScene *scene :
        { static_cast<ToolManageScene *>(board), static_cast<ToolManageScene *>(updates) }) {
        connect(this, &ToolBoxWidget::signalWaitingToolsStartDownload, scene,
            &ToolManageScene::signalWaitingToolsStartDownload);
        connect(this, &ToolBoxWidget::signalServerResponded, scene, &ToolManageScene::signalServerResponded);
        connect(this, &ToolBoxWidget::signalResized, scene, &ToolManageScene::onViewResized);
        connect(scene, &ToolManageScene::signalSubToolsStateChanged, this,
            &ToolBoxWidget::signalSubToolsStateChanged);
        connect(scene, &ToolManageScene::signalSubToolsRequest, this, &ToolBoxWidget::signalSubToolsRequest);
    }
    connect(this, &ToolBoxWidget::signalCloseTool, board, &ToolDownloadedScene::signalCloseTool);
    connect(board, &ToolManageScene::signalCover, this, &ToolBoxWidget::signalCover);
    connect(board, &ToolDownloadedScene::signalDragState, m_pDownloadToolsWidget,
        &DownloadToolsWidget::onToolDragStateChange);
    connect(
        board, &ToolDownloadedScene::signalAddTool, m_pDownloadToolsWidget, &DownloadToolsWidget::onAddTool);
    connect(board, &ToolDownloadedScene::signalAllToolsDeleted, m_pDownloadToolsWidget,
        &DownloadToolsWidget::onAllToolsDeleted);
    connect(board, &ToolDownloadedScene::signalToolDeleted, updates, &ToolUpdateScene::onToolDeleted);
    connect(board, &ToolDownloadedScene::signalToolDeleted, this, &ToolBoxWidget::onToolDeleted);
    connect(m_pDownloadToolsWidget, &DownloadToolsWidget::signalDeleteTool, board,
        &ToolDownloadedScene::onDeleteTool);
    connect(m_pDownloadToolsWidget, &DownloadToolsWidget::signalHoverOnDeleteFrame, board,
        &ToolDownloadedScene::onSolveHoverDeleteState);
    connect(updates, &ToolUpdateScene::signalUpgradeCompleted, this, &ToolBoxWidget::onToolUpgradeCompleted);
    connect(updates, &ToolUpdateScene::signalBatchUpdateTools, this, &ToolBoxWidget::signalSubToolsRequest);
    connect(updates, &ToolUpdateScene::signalSubCheckBoxStateChanged, m_pUpdateToolsWidget,
        &UpdateToolsWidget::onSubCheckBoxStateChanged);
    connect(m_pUpdateToolsWidget, &UpdateToolsWidget::signalCheckAllStateChanged, updates,
        &ToolUpdateScene::onSolveCheckAllState);
    connect(m_pUpdateToolsWidget, &UpdateToolsWidget::signalBatchUpdateSelecting, updates,
        &ToolUpdateScene::onSetSubCkeckBoxVisible);
    connect(m_pUpdateToolsWidget, &UpdateToolsWidget::signalBatchUpdateBtnClicked, updates,
        &ToolUpdateScene::onSolveBatchUpdate);
    connect(
        ui->m_ToolBoxTabWidget, &ToolBoxTabWidget::signalCurrentChanged, this, &ToolBoxWidget::onTabChanged);
    connect(m_pTipFrame, &TipFrame::signalResized, this,
        [this](QSize size) { m_pTipFrame->move(width() - 32 - size.width(), 15); });

    loadInstalledTools();

    // Each new order is written soon after it settles: a logout may end the program at any time.
    m_pOrderSaveTimer = new QTimer(this);
    m_pOrderSaveTimer->setSingleShot(true);
    m_pOrderSaveTimer->setInterval(200);
    connect(m_pOrderSaveTimer, &QTimer::timeout, this, &ToolBoxWidget::writeToolOrder);
    connect(board, &ToolDownloadedScene::signalOrderChanged, m_pOrderSaveTimer,
        QOverload<>::of(&QTimer::start));
}

ToolBoxWidget::~ToolBoxWidget()
{
    delete ui;
}

QMap<int, int> ToolBoxWidget::toolOrderMap() const
{
    return m_pDownloadedScene->toolOrderMap();
}

void ToolBoxWidget::writeToolOrder()
{
    ToolCatalog *catalog = ToolCatalog::instance();
    const QMap<int, int> order = toolOrderMap();
    for (auto it = order.constBegin(); it != order.constEnd(); ++it)
        catalog->setListOrder(it.key(), it.value());
    if (!catalog->saveToolStates())
        qWarning() << "---orlenk--- cannot write the board order into" << catalog->toolsStateListPath();
}

void ToolBoxWidget::loadInstalledTools()
{
    ToolCatalog *catalog = ToolCatalog::instance();
    // Duplicate orders keep the ascending key order: a taken order moves to the next free one.
    QMap<int, ToolState> byOrder;
    for (const ToolState &state : qAsConst(catalog->toolStates())) {
        if (state.ToolKey == 0 || state.ToolKey == 1 || state.IsDownload != 1)
            continue;
        int iOrder = state.ListOrder;
        while (byOrder.contains(iOrder))
            ++iOrder;
        byOrder.insert(iOrder, state);
    }
    for (const ToolState &state : qAsConst(byOrder)) {
        auto info = catalog->findInfo(state.ToolKey);
        if (info == catalog->toolInfos().end())
            continue;
        m_pDownloadedScene->addTool(info.value());
        if (state.IsNeedUpdate == 1)
            m_pUpdateScene->addTool(info.value());
    }
    refreshUpdateNum();
}

void ToolBoxWidget::refreshUpdateNum()
{
    m_iUpdateNum = m_pUpdateScene->rowCount();
    if (m_iUpdateNum > 0 && ui->m_ToolBoxTabWidget->currentTab() != 1) {
        const QPoint topRight
            = ui->m_ToolBoxTabWidget->mapTo(this, ui->m_ToolBoxTabWidget->updateTabTopRight());
        m_pUpdateNumLabel->show();
        m_pUpdateNumLabel->raise();
        m_pUpdateNumLabel->move(
            topRight.x() - m_pUpdateNumLabel->width(), topRight.y() - 4 + m_pUpdateNumLabel->height());
        m_pUpdateNumLabel->setText(QString::number(m_iUpdateNum));
    } else {
        m_pUpdateNumLabel->hide();
    }
    m_pUpdateToolsWidget->resetBatchUpdate(m_iUpdateNum >= 1);
    if (m_iUpdateNum == 0)
        emit signalAllToolUpgraded();
}

void ToolBoxWidget::onShowToolBoxWidget()
{
    ui->m_ToolBoxTabWidget->setCurrentTab(0);
}

void ToolBoxWidget::onSubToolsStateChanged(ToolCurrentState enumType, int iKey)
{
    if (enumType == StateDownloaded) {
        ToolCatalog *catalog = ToolCatalog::instance();
        auto info = catalog->findInfo(iKey);
        // An unknown key would make a row without a tool behind it.
        if (info != catalog->toolInfos().end())
            m_pDownloadedScene->addTool(ToolInfo(info.value()));
    }
    m_pDownloadedScene->onToolStateChanged(enumType, iKey);
    m_pUpdateScene->onToolStateChanged(enumType, iKey);
}

void ToolBoxWidget::onTabChanged(int index)
{
    if (index == 0) {
        m_pDownloadedScene->onViewResized();
        m_pTipFrame->show();
        refreshUpdateNum();
    } else {
        m_pUpdateScene->onViewResized();
        m_pTipFrame->hide();
        m_pUpdateNumLabel->hide();
    }
}

void ToolBoxWidget::onToolDeleted(int iToolKey)
{
    refreshUpdateNum();
    emit signalSubToolsStateChanged(StateDeleted, iToolKey);
}

void ToolBoxWidget::onToolUpgradeCompleted(int iToolKey)
{
    Q_UNUSED(iToolKey)
    refreshUpdateNum();
}

void ToolBoxWidget::resizeEvent(QResizeEvent *event)
{
    refreshUpdateNum();
    m_pTipFrame->move(width() - 32 - m_pTipFrame->width(), 15);
    const QPoint bottomRight = ui->m_ToolBoxTabWidget->updateTabBottomRight();
    m_pLinelabel->move(bottomRight);
    m_pLinelabel->resize(width() - 9 - bottomRight.x(), m_pLinelabel->height());
    emit signalResized();
    QWidget::resizeEvent(event);
}

void ToolBoxWidget::showEvent(QShowEvent *event)
{
    refreshUpdateNum();
    m_pDownloadedScene->onViewResized();
    m_pUpdateScene->onViewResized();
    QWidget::showEvent(event);
}

} // namespace gearbay
