#include "DownloadedSubToolWidget.h"

#include "DownloadPreCheck.h"
#include "ResizeLabel.h"
#include "StringConvert.h"
#include "ToolCatalog.h"
#include "ui_DownloadedSubToolWidget.h"
#include "ServerProtocol.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOption>
#include <QTimer>

namespace gearbay {

namespace {

const QColor kNormalColor("#3BCD8D");
const QColor kFailedColor("#FA3239");

} // namespace

DownloadedSubToolWidget::DownloadedSubToolWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::DownloadedSubToolWidget)
    , m_pPreCheck(new DownloadPreCheck(this, [] {
        return DownloadPreCheck::Texts { tr("OK"), tr("Cancel"),
            tr("Please set downlaod path at system setting page."),
            tr("Disk free space little than tool Size, please modify download Path.") };
    }))
    , m_shadowPixmap(":/Gearbay/Image/Gearbai/icon/shadow_bg.png")
{
    ui->setupUi(this);
    // Rows live in a graphics scene as top-level widgets, so they carry the look of their own
    // controls instead of inheriting it from the page.
    setStyleSheet(
        "QWidget#DownloadedSubToolWidget{background-color: #ffffff;}       "
        "QWidget#DownloadedSubToolWidget:hover{background: #F5F5F5;}"
        "QLabel{font-size:12px;color:#999999;background:transparent;}"
        "QLabel#m_toolNameLabel{font-size:14px;color:#333333;}"
        "QLabel#m_upgradeInfoLabel{color:#666666;}"
        "QFrame#m_openBtnFrame{border:none;background:transparent;}"
        "QPushButton#m_upgradeBtn{font-size:12px;color:#ffffff;background:#FA3239;border:none;"
        "border-radius:2px;}"
        "QPushButton#m_upgradeBtn:hover{background:#FB5A60;}"
        "QPushButton#m_openBtn{font-size:12px;color:#FA3239;background:#ffffff;"
        "border:1px solid #FA3239;border-radius:2px;}"
        "QPushButton#m_openBtn:hover{background:#FFF1F1;}"
        "QPushButton#m_cancelUpgradeBtn{border:none;"
        "border-image:url(:/Gearbay/Image/Gearbai/icon/ic_cancel.png);}"
        "QPushButton#m_reupdateBtn{border:none;color:#FA3239;font-size:16px;background:transparent;}"
        // Drawn from images: the style's own box does not show on a row inside the scene.
        "QCheckBox::indicator{width:14px;height:14px;}"
        "QCheckBox::indicator:unchecked{image:url(:/Gearbay/Image/Gearbai/icon/checkbox_nor.png);}"
        "QCheckBox::indicator:unchecked:hover{image:url(:/Gearbay/Image/Gearbai/icon/checkbox_hov.png);}"
        "QCheckBox::indicator:checked{image:url(:/Gearbay/Image/Gearbai/icon/checkbox_sel.png);}");

    m_pToolNameLabel = new ResizeLabel(ui->toolNameLabel);
    m_pToolNameLabel->setObjectName("m_toolNameLabel");
    m_pToolNameLabel->setFixedWidth(154);
    m_pToolNameLabel->setMinimumHeight(22);
    m_pToolNameLabel->setWordWrap(true);
    m_pToolNameLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui->toolNameLabel->setFixedWidth(154);

    m_pUpgradeInfoLabel = new ResizeLabel(ui->upgradeInfoLabel);
    m_pUpgradeInfoLabel->setObjectName("m_upgradeInfoLabel");
    m_pUpgradeInfoLabel->setFixedWidth(404);
    m_pUpgradeInfoLabel->setMinimumHeight(60);
    m_pUpgradeInfoLabel->setWordWrap(true);
    m_pUpgradeInfoLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui->upgradeInfoLabel->setFixedWidth(404);

    resize(1008, 96);
    ui->m_upgradeProgressBar->hide();
    ui->m_cancelUpgradeBtn->hide();
    ui->m_reupdateBtn->hide();
    ui->m_checkWidget->hide();
    ui->m_cancelUpgradeBtn->setToolTip(tr("Cancel"));
    ui->m_reupdateBtn->setToolTip(tr("Retry"));
    ui->m_reupdateBtn->setText(QString(QChar(0x21BB))); // clockwise open circle arrow

    m_pTimer = new QTimer(this);
    for (QPushButton *button : { ui->m_openBtn, ui->m_upgradeBtn, ui->m_cancelUpgradeBtn, ui->m_reupdateBtn })
        button->installEventFilter(this);

    connect(m_pPreCheck, &DownloadPreCheck::signalCover, this, &DownloadedSubToolWidget::signalCover);
    connect(ui->m_openBtn, &QPushButton::clicked, this, &DownloadedSubToolWidget::onOpenTool);
    connect(ui->m_upgradeBtn, &QPushButton::clicked, this, &DownloadedSubToolWidget::onUpdateBtnClicked);
    connect(ui->m_cancelUpgradeBtn, &QPushButton::clicked, this,
        &DownloadedSubToolWidget::onCancelUpdateBtnClicked);
    connect(ui->m_reupdateBtn, &QPushButton::clicked, this, &DownloadedSubToolWidget::onReupdateBtnClicked);
    connect(
        ui->m_checkBox, &QCheckBox::stateChanged, this, &DownloadedSubToolWidget::signalCheckBoxStateChanged);
    connect(m_pTimer, &QTimer::timeout, this, &DownloadedSubToolWidget::onTimeout);

    connect(m_pToolNameLabel, &ResizeLabel::signalResized, this, [this](QSize size) {
        m_pToolNameLabel->move(0, 0);
        ui->toolNameLabel->setFixedHeight(size.height());
        if (height() < size.height() + 74)
            resize(width(), size.height() + 74);
    });
    connect(m_pUpgradeInfoLabel, &ResizeLabel::signalResized, this, [this](QSize size) {
        m_pUpgradeInfoLabel->move(0, 0);
        ui->upgradeInfoLabel->resize(size);
        if (height() < size.height() + 36)
            resize(width(), size.height() + 36);
    });
}

DownloadedSubToolWidget::~DownloadedSubToolWidget()
{
    delete ui;
}

void DownloadedSubToolWidget::setToolInfo(const ToolInfo &info)
{
    ToolCatalog *catalog = ToolCatalog::instance();
    m_iToolKey = info.ToolKey;
    const QString strIcon
        = QDir::currentPath() + "/ToolsFile/Icon/" + vellum::ConvertToUnicode(info.IconMinName);
    const QPixmap icon(strIcon);
    if (icon.isNull())
        ui->m_iconLabel->clear(); // not the form's placeholder text
    else
        ui->m_iconLabel->setPixmap(icon);

    m_strToolName = vellum::ConvertToUnicode(catalog->toolName(m_iToolKey));
    m_pToolNameLabel->setText(QString("<html><head/><body><p style='line-height:22px'>%1</p></body></html>")
                                  .arg(m_strToolName.toHtmlEscaped()));
    m_pToolNameLabel->adjustSize();
    // A reader hears which tool each button acts on.
    setAccessibleName(m_strToolName);
    ui->m_openBtn->setAccessibleName(tr("Open %1").arg(m_strToolName));
    ui->m_upgradeBtn->setAccessibleName(tr("Update %1").arg(m_strToolName));
    ui->m_cancelUpgradeBtn->setAccessibleName(tr("Cancel the update of %1").arg(m_strToolName));
    ui->m_reupdateBtn->setAccessibleName(tr("Retry the update of %1").arg(m_strToolName));
    ui->m_checkBox->setAccessibleName(tr("Select %1").arg(m_strToolName));

    ToolState state;
    auto it = catalog->findState(m_iToolKey);
    if (it != catalog->toolStates().end())
        state = it.value();
    if (state.IsNeedUpdate == 1) {
        const QString strNotes = vellum::ConvertToUnicode(catalog->updateIntro(m_iToolKey));
        m_pUpgradeInfoLabel->setText(
            QString("<html><head/><body><p style='line-height:20px'>%1</p></body></html>")
                .arg(strNotes.toHtmlEscaped()));
        m_pUpgradeInfoLabel->adjustSize();
        setUpdateState(UpdateAvailable);
    } else {
        m_pUpgradeInfoLabel->clear();
        setUpdateState(UpToDate);
    }

    ui->m_versionLabel->setText(tr("Version: V") + vellum::ConvertToUnicode(info.Version));
    ui->m_dateLabel->setText(tr("Release date: ") + vellum::ConvertToUnicode(info.updateDate));
}

void DownloadedSubToolWidget::setUpdateState(UpdateState emState)
{
    m_emState = emState;
    if (emState < UpToDate || emState > UpdateWaiting)
        return;
    const RowControls controls = rowControls(emState, m_bOpenHiddenForGood);
    ui->m_openBtnFrame->setVisible(controls.bOpen);
    ui->m_upgradeBtn->setVisible(controls.bUpgrade);
    ui->m_upgradeProgressBar->setVisible(controls.bProgress);
    ui->m_cancelUpgradeBtn->setVisible(controls.bCancel);
    ui->m_reupdateBtn->setVisible(controls.bReupdate);

    ProgressBar *bar = ui->m_upgradeProgressBar;
    bar->m_iMode = controls.iProgressMode;
    if (emState == Updating) {
        bar->m_chunkColor = kNormalColor;
        bar->setToolTip(QString());
    } else if (emState == UpdateFailed) {
        bar->m_chunkColor = kFailedColor;
        bar->m_strText = tr("download fail");
    } else if (emState == UpdateWaiting) {
        bar->m_strText = tr("Waiting...");
        bar->setValue(0);
    }
    bar->update();

    if (emState == UpToDate) {
        m_pUpgradeInfoLabel->clear();
        m_pUpgradeInfoLabel->adjustSize();
        resize(width(), m_pToolNameLabel->height() + 74);
    }
}

void DownloadedSubToolWidget::onToolStateChanged(ToolCurrentState emState)
{
    ToolCatalog *catalog = ToolCatalog::instance();
    auto it = catalog->findState(m_iToolKey);
    const bool bInstalled = it != catalog->toolStates().end() && it->IsDownload == 1;
    const int iNext = rowStateAfter(emState, m_emState, bInstalled);
    if (iNext == m_emState)
        return;
    if (iNext == Updating)
        setProgressValue(0);
    setUpdateState(static_cast<UpdateState>(iNext));
}

void DownloadedSubToolWidget::setDragging(bool bDragging)
{
    m_bDragging = bDragging;
    update();
}

bool DownloadedSubToolWidget::isOverControl(const QPoint &point) const
{
    const QWidget *child = childAt(point);
    return child
        && (child == ui->m_openBtn || child == ui->m_upgradeBtn || child == ui->m_cancelUpgradeBtn
            || child == ui->m_reupdateBtn || child == ui->m_checkBox);
}

bool DownloadedSubToolWidget::isBusy() const
{
    return m_emState != UpToDate && m_emState != UpdateAvailable;
}

bool DownloadedSubToolWidget::isChecked() const
{
    return ui->m_checkBox->isChecked();
}

void DownloadedSubToolWidget::setCheckState(int state)
{
    if (state == Qt::Unchecked)
        ui->m_checkBox->setChecked(false);
    else if (state == Qt::Checked)
        ui->m_checkBox->setChecked(true);
}

void DownloadedSubToolWidget::hideOpenButton()
{
    m_bOpenHiddenForGood = true;
    ui->m_openBtnFrame->hide();
}

void DownloadedSubToolWidget::onSetUpdatedRate(int iKey, int iRate)
{
    if (iKey != m_iToolKey)
        return;
    if (iRate < 0)
        showFailure(iRate);
    else
        setProgressValue(iRate);
}

void DownloadedSubToolWidget::onSetUpdateState(int iKey, UpdateState emState)
{
    if (iKey == m_iToolKey)
        setUpdateState(emState);
}

void DownloadedSubToolWidget::onSetCheckBoxVisible(bool bVisible)
{
    ui->m_checkWidget->setVisible(bVisible);
}

void DownloadedSubToolWidget::onSolveServerResponse(int method, QMap<int, QString> toolkeyToServerValue)
{
    auto it = toolkeyToServerValue.constFind(m_iToolKey);
    if (it == toolkeyToServerValue.cend())
        return;
    const RowReaction reaction = rowReaction(method, it.value().toInt());
    switch (reaction.emAction) {
    case RowAction::Ignore:
        break;
    case RowAction::StartPolling:
        setUpdateState(Updating);
        m_pTimer->start(1000);
        break;
    case RowAction::ShowWaiting:
        setUpdateState(UpdateWaiting);
        break;
    case RowAction::ShowProgress:
        if (m_emState == UpdateWaiting)
            setUpdateState(Updating);
        setProgressValue(reaction.iValue);
        break;
    case RowAction::Complete: {
        m_pTimer->stop();
        // The installed version is now the catalog's: the next start must not offer it again.
        ToolCatalog *catalog = ToolCatalog::instance();
        auto state = catalog->findState(m_iToolKey);
        auto info = catalog->findInfo(m_iToolKey);
        if (state != catalog->toolStates().end()) {
            state->IsNeedUpdate = 0;
            state->IsDownload = 1;
            if (info != catalog->toolInfos().end())
                catalog->setCurrentVersion(m_iToolKey, info->Version);
        }
        setUpdateState(UpToDate);
        emit signalResized(size());
        emit signalUpgradeCompleted(m_iToolKey);
        break;
    }
    case RowAction::Fail:
        m_pTimer->stop();
        showFailure(reaction.iValue);
        break;
    case RowAction::CancelConfirmed:
        m_pTimer->stop();
        setUpdateState(UpdateAvailable);
        break;
    }
}

void DownloadedSubToolWidget::onClose()
{
    m_launch.terminate();
}

void DownloadedSubToolWidget::onWaitingToolsStartDownload(int key)
{
    if (key != m_iToolKey)
        return;
    setProgressValue(0);
    setUpdateState(Updating);
}

bool DownloadedSubToolWidget::refuseWhileRunning()
{
    ToolCatalog *catalog = ToolCatalog::instance();
    auto info = catalog->findInfo(m_iToolKey);
    return info != catalog->toolInfos().end()
        && m_pPreCheck->refusesWhileRunning(
            vellum::ConvertToUnicode(info->ExeName), m_strToolName + " " + tr("Software already opened."));
}

void DownloadedSubToolWidget::onOpenTool()
{
    if (refuseWhileRunning())
        return;
    ToolCatalog *catalog = ToolCatalog::instance();
    auto info = catalog->findInfo(m_iToolKey);
    if (info == catalog->toolInfos().end() || !m_pPreCheck->passesLoginGate(info->IsDown == 1))
        return;
    const QString strPath = catalog->toolExePath(m_iToolKey);
    if (strPath.isEmpty() || !QFileInfo::exists(strPath)) {
        qDebug() << "Exe not exist" << strPath;
        return;
    }
    if (!m_launch.start(strPath))
        qWarning() << "---orlenk--- could not start" << strPath;
}

void DownloadedSubToolWidget::onUpdateBtnClicked()
{
    if (refuseWhileRunning())
        return;
    ToolCatalog *catalog = ToolCatalog::instance();
    auto info = catalog->findInfo(m_iToolKey);
    if (!m_pPreCheck->passesDiskChecks(info != catalog->toolInfos().end() ? info->ToolSize : 0.0))
        return;
    setProgressValue(0);
    setUpdateState(Updating);
    emit signalUpdateTool(m_iToolKey);
}

void DownloadedSubToolWidget::onCancelUpdateBtnClicked()
{
    setUpdateState(UpdateAvailable);
    setProgressValue(0);
    emit signalCancelUpdateTool(m_iToolKey);
}

void DownloadedSubToolWidget::onReupdateBtnClicked()
{
    setProgressValue(0);
    setUpdateState(Updating);
    emit signalReupdateTool(m_iToolKey);
}

void DownloadedSubToolWidget::onTimeout()
{
    emit signalRequestDownloadRate(m_iToolKey);
}

void DownloadedSubToolWidget::showFailure(int iCode)
{
    QString strReason;
    switch (iCode) {
    case -1:
        strReason = tr("connect to network failed.");
        break;
    case 110:
        strReason = tr("connect to network timeout.");
        break;
    case 140:
        strReason = tr("network initial failed.");
        break;
    case 400:
        strReason = tr("save failed.");
        break;
    case 404:
        strReason = tr("File not found.");
        break;
    case protocol::kCodeUnverified:
        strReason = tr("The download could not be verified and was not installed.");
        break;
    default:
        strReason = tr("network anomaly");
        break;
    }
    ui->m_upgradeProgressBar->m_strText = tr("download fail");
    ui->m_upgradeProgressBar->setToolTip(strReason);
    setUpdateState(UpdateFailed);
}

void DownloadedSubToolWidget::setProgressValue(int iValue)
{
    ui->m_upgradeProgressBar->setValue(qBound(0, iValue, 100));
    ui->m_upgradeProgressBar->update();
}

void DownloadedSubToolWidget::paintEvent(QPaintEvent *event)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    const int w = width();
    const int h = height();
    if (!m_bDragging) {
        painter.setPen(QColor("#cccccc"));
        painter.drawLine(0, h - 1, w, h - 1);
    } else if (!m_shadowPixmap.isNull()) {
        painter.drawPixmap(QRect(0, 0, 5, 3), m_shadowPixmap, QRect(0, 0, 5, 3));
        painter.drawPixmap(QRect(w - 5, 0, 5, 3), m_shadowPixmap, QRect(205, 0, 5, 3));
        painter.drawPixmap(QRect(0, h - 7, 5, 7), m_shadowPixmap, QRect(0, 136, 5, 7));
        painter.drawPixmap(QRect(w - 5, h - 7, 5, 7), m_shadowPixmap, QRect(205, 136, 5, 7));
        painter.drawPixmap(QRect(5, 0, w - 10, 3), m_shadowPixmap, QRect(5, 0, 200, 3));
        painter.drawPixmap(QRect(5, h - 7, w - 10, 7), m_shadowPixmap, QRect(5, 136, 200, 7));
        painter.drawPixmap(QRect(0, 3, 5, h - 10), m_shadowPixmap, QRect(0, 3, 5, 133));
        painter.drawPixmap(QRect(w - 5, 3, 5, h - 10), m_shadowPixmap, QRect(205, 3, 5, 133));
    }
    QWidget::paintEvent(event);
}

bool DownloadedSubToolWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool bControl = (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
        if (bControl && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            emit signalMoveRequested(m_iToolKey, key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            emit signalDeleteRequested(m_iToolKey);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace gearbay
