#include "WindowTitleWidget.h"

#include "HelpWidget.h"
#include "SystemConfigWidget.h"
#include "ToolCatalog.h"
#include "ui_WindowTitleWidget.h"

#include <QLabel>
#include <QResizeEvent>

namespace gearbay {

namespace {
const char *const kSelectedPageStyle =
    "QPushButton {color: #333333;border: none;border-bottom:4px solid #FA3239;border-top:4px solid #f1f1f1; }";
const char *const kOtherPageStyle = "QPushButton {color: #999999;border:none;}";

// Right edge of the popup on the button's right edge, its top 4 pixels below the button.
void showUnder(QWidget *popup, QWidget *button)
{
    popup->show();
    const QPoint origin = button->mapToGlobal(QPoint(0, 0));
    popup->move(origin.x() + button->width() - popup->width(), origin.y() + button->height() + 4);
    popup->raise();
    popup->activateWindow();
}
} // namespace

WindowTitleWidget::WindowTitleWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::WindowTitleWidget)
{
    ui->setupUi(this);
    ui->logoLabel->setPixmap(QPixmap(QStringLiteral(":/Gearbay/Image/Gearbai/logo24.png")));
    ui->toosDowmloadBtn->setStyleSheet(kSelectedPageStyle);
    ui->myToolsBtn->setStyleSheet(kOtherPageStyle);

    m_pSystemConfigWidget = new SystemConfigWidget(this);
    m_pSystemConfigWidget->hide();
    m_pHelpWidget = new HelpWidget(this);
    m_pHelpWidget->hide();

    // The icon buttons say what they do; the page buttons say it with their text.
    ui->configBtn->setAccessibleName(tr("Settings"));
    ui->minBtn->setAccessibleName(tr("Minimize"));
    ui->ZoomBtn->setAccessibleName(tr("Maximize"));
    ui->closeBtn->setAccessibleName(tr("Close"));
    ui->helpBtn->setAccessibleName(tr("Help"));
    for (QPushButton *button : { ui->configBtn, ui->minBtn, ui->ZoomBtn, ui->closeBtn, ui->helpBtn })
        button->setToolTip(button->accessibleName());

    ui->ZoomBtn->hide();
    ui->helpBtn->hide();
    ui->line->hide();

    m_pUpdateFlagLabel = new QLabel(this);
    m_pUpdateFlagLabel->setObjectName(QStringLiteral("m_pUpdateFlagLabel"));
    m_pUpdateFlagLabel->setFixedSize(6, 6);
    m_pUpdateFlagLabel->hide();
    m_pNewRigWarden = new QLabel(ui->widget);
    m_pNewRigWarden->setObjectName(QStringLiteral("m_pNewRigWarden"));
    m_pNewRigWarden->setFixedSize(6, 6);
    m_pNewRigWarden->move(237, 21);
    m_pNewRigWarden->setVisible(ToolCatalog::instance()->isNeedUpdate(1) == 1);

    connect(ui->toosDowmloadBtn, &QPushButton::clicked, this, &WindowTitleWidget::onToolsDownBtnClicked);
    connect(ui->myToolsBtn, &QPushButton::clicked, this, &WindowTitleWidget::onMyToolsBtnClicked);
    connect(ui->closeBtn, &QPushButton::clicked, this, &WindowTitleWidget::signalCloseApp);
    connect(ui->minBtn, &QPushButton::clicked, this, &WindowTitleWidget::signalShowSmall);
    connect(ui->ZoomBtn, &QPushButton::clicked, this, &WindowTitleWidget::signalShowMax);
    connect(ui->helpBtn, &QPushButton::clicked, this, &WindowTitleWidget::onHelpBtnClicked);
    connect(ui->configBtn, &QPushButton::clicked, this, &WindowTitleWidget::onConfigBtnClicked);

    SystemConfigWidget *config = m_pSystemConfigWidget;
    connect(config, &SystemConfigWidget::signalToServer, this, &WindowTitleWidget::signalToServer);
    connect(this, &WindowTitleWidget::signalServerResponded, config, &SystemConfigWidget::onServerResponded);
    connect(this, &WindowTitleWidget::signalReUpdate, config, &SystemConfigWidget::onReUpdate);
    connect(this, &WindowTitleWidget::signalStartCheckUpdate, config, &SystemConfigWidget::onStartCheckUpdate);
    connect(this, &WindowTitleWidget::signalUpdateCompleted, config, &SystemConfigWidget::onUpdateCompleted);
    connect(this, &WindowTitleWidget::signalUpdateCancel, config, &SystemConfigWidget::onUpdateCancel);
    connect(this, &WindowTitleWidget::signalDownloadingCount, config, &SystemConfigWidget::onDownloadingCount);
    connect(m_pHelpWidget, &HelpWidget::signalCover, this, &WindowTitleWidget::signalCover);
    connect(this, &WindowTitleWidget::signalGetHelp, m_pHelpWidget, &HelpWidget::onManualButtonClicked);
    connect(config, &SystemConfigWidget::signalCover, this, &WindowTitleWidget::signalCover);
    connect(config, &SystemConfigWidget::signalTransCover, this, &WindowTitleWidget::signalTransCover);
    connect(config, &SystemConfigWidget::signalUpdateFailed, this, &WindowTitleWidget::signalUpdateFailed);
    connect(config, &SystemConfigWidget::signalStartUpdateManagerTool, this,
            &WindowTitleWidget::signalStartUpdateManagerTool);
    connect(config, &SystemConfigWidget::signalSetUpdateProgress, this, &WindowTitleWidget::signalSetUpdateProgress);
    connect(config, &SystemConfigWidget::signalHaveNewMaterial, this, &WindowTitleWidget::signalHaveNewMaterial);
    connect(config, &SystemConfigWidget::signalRigWardenNew, m_pNewRigWarden, &QLabel::show);
    connect(
        config, &SystemConfigWidget::signalLanguageChanged, this, &WindowTitleWidget::signalLanguageChanged);

    updateFlag();
}

WindowTitleWidget::~WindowTitleWidget()
{
    delete ui;
}

void WindowTitleWidget::setRestoreIcon()
{
    ui->ZoomBtn->setStyleSheet(QStringLiteral("border-image:url(:/Gearbay/Image/Gearbai/icon/ic_restore.png);"));
}

void WindowTitleWidget::setMaxIcon()
{
    ui->ZoomBtn->setStyleSheet(QStringLiteral("border-image:url(:/Gearbay/Image/Gearbai/icon/ic_max.png);"));
}

void WindowTitleWidget::onAllToolsUpgraded()
{
    m_pUpdateFlagLabel->hide();
}

void WindowTitleWidget::onToolsDownBtnClicked()
{
    emit signalShowToolsDownloadWidget();
    ui->toosDowmloadBtn->setStyleSheet(kSelectedPageStyle);
    ui->myToolsBtn->setStyleSheet(kOtherPageStyle);
}

void WindowTitleWidget::onMyToolsBtnClicked()
{
    emit signalShowToolBoxWidget();
    ui->myToolsBtn->setStyleSheet(kSelectedPageStyle);
    ui->toosDowmloadBtn->setStyleSheet(kOtherPageStyle);
}

void WindowTitleWidget::onHelpBtnClicked()
{
    showUnder(m_pHelpWidget, ui->helpBtn);
}

void WindowTitleWidget::onConfigBtnClicked()
{
    showUnder(m_pSystemConfigWidget, ui->configBtn);
}

void WindowTitleWidget::updateFlag()
{
    for (const ToolState &state : ToolCatalog::instance()->toolStates()) {
        if (state.ToolKey != 0 && state.ToolKey != 1 && state.IsNeedUpdate > 0) {
            m_pUpdateFlagLabel->show();
            return;
        }
    }
    m_pUpdateFlagLabel->hide();
}

void WindowTitleWidget::placeUpdateFlag()
{
    // The dot is the title bar's child, so it sits at the right end of "My Tools" in the title
    // bar's own coordinates, 20 pixels down.
    const QPoint topLeft = ui->myToolsBtn->mapTo(this, QPoint(0, 0));
    m_pUpdateFlagLabel->move(topLeft.x() + ui->myToolsBtn->width(), topLeft.y() + 20);
    m_pUpdateFlagLabel->raise();
}

void WindowTitleWidget::resizeEvent(QResizeEvent *event)
{
    placeUpdateFlag();
    ui->myToolsBtn->setFixedSize(ui->toosDowmloadBtn->size());
    QWidget::resizeEvent(event);
}

void WindowTitleWidget::showEvent(QShowEvent *event)
{
    // The layout has placed the buttons only now; the first resize came before it.
    QWidget::showEvent(event);
    placeUpdateFlag();
}

} // namespace gearbay
