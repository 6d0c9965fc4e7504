#include "MoreInfoLeftWidget.h"

#include "ui_MoreInfoLeftWidget.h"

#include "CardResponse.h"
#include "ConfigureStore.h"
#include "DetailPixmaps.h"
#include "DownloadPreCheck.h"
#include "MarketPixmaps.h"
#include "StringConvert.h"
#include "ToolCatalog.h"
#include "ServerProtocol.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace gearbay {

namespace {

// Puts a text into a label that cannot grow, eliding it and keeping the whole text as tooltip.
void setFittedText(QLabel *pLabel, const QString &strText, int iWidth)
{
    // The style sheet sets the label's font; measure with that font, not the default one.
    pLabel->ensurePolished();
    const QString strShown = pLabel->fontMetrics().elidedText(strText, Qt::ElideRight, iWidth);
    pLabel->setText(strShown);
    pLabel->setToolTip(strShown == strText ? QString() : strText);
}

} // namespace

MoreInfoLeftWidget::MoreInfoLeftWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::MoreInfoLeftWidget)
    , m_pPreCheck(new DownloadPreCheck(this, [] {
        return DownloadPreCheck::Texts { tr("OK"), tr("Cancel"),
            tr("Please set downlaod path at system setting page."),
            tr("Disk free space little than tool Size, please modify download Path.") };
    }))
{
    ui->setupUi(this);
    setFixedWidth(216);
    ui->progressBar->setRange(0, 100);
    ui->progressBar->setValue(0);
    ui->progressBarWidget->hide();
    ui->updateBtnWidget->hide();
    ui->openBtn->hide();
    ui->refreshBtn->setToolTip(tr("Retry"));
    ui->deleteBtn->setToolTip(tr("Cancel"));
    // The same marks as on the tool card, so the two read alike.
    ui->refreshBtn->setIcon(retryPixmap(24));
    ui->deleteBtn->setIcon(cancelPixmap(24));
    for (QPushButton *pButton : { ui->refreshBtn, ui->deleteBtn }) {
        pButton->setIconSize(QSize(24, 24));
        pButton->setFlat(true);
    }
    // The bar is 14 pixels high; its caption is drawn in the bar's own font, which must fit.
    QFont barFont = ui->progressBar->font();
    barFont.setPixelSize(10);
    ui->progressBar->setFont(barFont);

    connect(m_pPreCheck, &DownloadPreCheck::signalCover, this, &MoreInfoLeftWidget::signalCover);
    connect(ui->openBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onOpenTool);
    connect(ui->downloadBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onDownloadTool);
    connect(ui->updateBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onUpdateTool);
    connect(ui->deleteBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onCancel);
    connect(ui->refreshBtn, &QPushButton::clicked, this, &MoreInfoLeftWidget::onRefresh);
}

MoreInfoLeftWidget::~MoreInfoLeftWidget()
{
    delete ui;
}

QString MoreInfoLeftWidget::sizeText(double dSizeMB)
{
    return QString::number(dSizeMB, 'g', 6) + QStringLiteral("MB");
}

void MoreInfoLeftWidget::setToolInfo(const ToolInfo &info)
{
    m_optToolInfo = info;
    const QString strLogo = QDir::currentPath() + "/ToolsFile/Icon/" + vellum::ConvertToUnicode(info.IconMaxName);
    QPixmap logo(strLogo);
    if (logo.isNull())
        logo = detailPlaceholder(ui->logoLabel->size(), toolName().left(1).toUpper(), 40);
    ui->logoLabel->setPixmap(logo);
    showActionView();

    // The value column is what is left of the panel beside the captions.
    const int iValueWidth = 216 - 48 - 8 - ui->versionLabeltext->sizeHint().width();
    setFittedText(ui->timeLabel, vellum::ConvertToUnicode(info.updateDate), iValueWidth);
    setFittedText(ui->sizeLabel, sizeText(info.ToolSize), iValueWidth);
    setFittedText(ui->versionLabel, QStringLiteral("V") + vellum::ConvertToUnicode(info.Version), iValueWidth);
}

int MoreInfoLeftWidget::toolKey() const
{
    return m_optToolInfo ? m_optToolInfo->ToolKey : -1;
}

QString MoreInfoLeftWidget::toolName() const
{
    return m_optToolInfo ? vellum::ConvertToUnicode(ToolCatalog::instance()->toolName(m_optToolInfo->ToolKey))
                       : QString();
}

bool MoreInfoLeftWidget::passesChecks()
{
    return m_pPreCheck->passesDiskChecks(m_optToolInfo->ToolSize)
        && m_pPreCheck->passesLoginGate(m_optToolInfo->IsDown == 1);
}

bool MoreInfoLeftWidget::refusesWhileRunning(const QString &strText)
{
    return m_pPreCheck->refusesWhileRunning(
        vellum::ConvertToUnicode(m_optToolInfo->ExeName), toolName() + " " + strText);
}

void MoreInfoLeftWidget::onDownloadTool()
{
    if (!m_optToolInfo || !passesChecks())
        return;
    onRefresh();
}

void MoreInfoLeftWidget::onRefresh()
{
    if (!m_optToolInfo)
        return;
    showDownloadingView();
    state = StateRequested;
    emit signalDownload(3, { toolKey() });
    emit signalToMainPage(StateRequested, toolKey());
}

void MoreInfoLeftWidget::onOpenTool()
{
    if (!m_optToolInfo || !m_pPreCheck->passesLoginGate(m_optToolInfo->IsDown == 1)
        || refusesWhileRunning(tr("have already open.")))
        return;
    const QString strExePath = ToolCatalog::instance()->toolExePath(toolKey());
    if (strExePath.isEmpty() || !QFileInfo(strExePath).isFile()) {
        qDebug() << "---orlenk--- Exe not exist" << strExePath;
        onDownloadTool();
        return;
    }
    if (!m_launch.start(strExePath))
        qWarning() << "---orlenk--- could not start" << strExePath;
}

void MoreInfoLeftWidget::onUpdateTool()
{
    if (!m_optToolInfo || refusesWhileRunning(tr("have already open, please close at first."))
        || !passesChecks())
        return;
    onRefresh();
}

void MoreInfoLeftWidget::onCancel()
{
    if (!m_optToolInfo)
        return;
    state = StateCancelled;
    showActionView();
    ui->progressBar->setValue(0);
    emit signalToMainPage(StateCancelled, toolKey());
    emit signalDownload(5, { toolKey() });
}

void MoreInfoLeftWidget::onServerResponded(int iMethod, QMap<int, QString> mapToolkeyToServerValue)
{
    const auto it = mapToolkeyToServerValue.constFind(toolKey());
    if (!m_optToolInfo || it == mapToolkeyToServerValue.constEnd() || state == StateCancelled)
        return;
    bool bOk = false;
    int iValue = it.value().toInt(&bOk, 10);
    if (!bOk)
        iValue = -1;

    const CardReaction reaction = cardReaction(iMethod, iValue);
    switch (reaction.emAction) {
    case CardAction::Ignore:
        break;
    case CardAction::StartPolling:
        // The market card polls; the panel only follows the answers it sees.
        emit signalToMainPage(StateDownloading, toolKey());
        state = StateDownloading;
        break;
    case CardAction::ShowWaiting:
        showWaitingView();
        break;
    case CardAction::ShowProgress:
        ui->progressBar->setValue(reaction.iValue);
        break;
    case CardAction::Complete: {
        const auto itState = ToolCatalog::instance()->findState(toolKey());
        if (itState != ToolCatalog::instance()->toolStates().end())
            itState->IsDownload = 1;
        ui->progressBarWidget->hide();
        ui->updateBtnWidget->hide();
        ui->openBtnWidget->show();
        ui->openBtn->show();
        ui->downloadBtn->hide();
        state = StateDownloaded;
        emit signalToMainPage(StateDownloaded, toolKey());
        break;
    }
    case CardAction::Fail:
        showFailedView(reaction.iValue);
        break;
    }
}

void MoreInfoLeftWidget::onSubToolsStateChanged(ToolCurrentState enumState, int iKey)
{
    if (!m_optToolInfo || iKey != toolKey())
        return;
    switch (enumState) {
    case StateRequested:
        state = StateRequested;
        break;
    case StateDownloading:
        showDownloadingView();
        ui->progressBar->repaint();
        break;
    case StateCancelled:
        showActionView();
        state = StateCancelled;
        break;
    case StateDeleted: {
        const auto itState = ToolCatalog::instance()->findState(iKey);
        if (itState != ToolCatalog::instance()->toolStates().end())
            itState->IsDownload = 0;
        showActionView();
        state = StateDeleted;
        break;
    }
    default:
        break;
    }
}

void MoreInfoLeftWidget::onClose()
{
    if (ConfigureStore::instance()->isCloseOpenTools() >= 1)
        m_launch.terminate();
}

QString MoreInfoLeftWidget::errorText(int iCode) const
{
    switch (iCode) {
    case -1:
        return tr("connect to network failed.");
    case 110:
        return tr("connect to network timeout.");
    case 140:
        return tr("network initial failed.");
    case 400:
        return tr("save failed.");
    case 404:
        return tr("File not found.");
    case protocol::kCodeUnverified:
        return tr("The download could not be verified and was not installed.");
    default:
        return tr("network anomaly");
    }
}

void MoreInfoLeftWidget::showActionView()
{
    if (!m_optToolInfo)
        return;
    const auto itState = ToolCatalog::instance()->findState(toolKey());
    if (itState == ToolCatalog::instance()->toolStates().end())
        return;
    const DetailActionView emView = detailActionView(itState->IsDownload, itState->IsNeedUpdate);
    if (emView == DetailActionView::Unchanged)
        return;
    ui->progressBarWidget->hide();
    ui->openBtnWidget->show();
    ui->downloadBtn->setVisible(emView == DetailActionView::Download);
    ui->openBtn->setVisible(emView != DetailActionView::Download);
    ui->updateBtnWidget->setVisible(emView == DetailActionView::Update);
}

void MoreInfoLeftWidget::showProgressRow(bool bRetry)
{
    ui->updateBtnWidget->hide();
    ui->openBtnWidget->hide();
    ui->progressBarWidget->show();
    ui->progressBar->show();
    ui->deleteBtn->show();
    ui->refreshBtn->setVisible(bRetry);
}

void MoreInfoLeftWidget::showDownloadingView()
{
    showProgressRow(false);
    ui->progressBar->setValue(0);
    ui->progressBar->m_iMode = 0;
    ui->progressBar->m_chunkColor = QColor(QStringLiteral("#3BCD8D"));
    ui->progressBar->setToolTip(QString());
    ui->progressBar->update();
}

void MoreInfoLeftWidget::showWaitingView()
{
    showProgressRow(false);
    ui->progressBar->setValue(0);
    ui->progressBar->m_iMode = 2;
    ui->progressBar->m_strText = tr("Waiting...");
    ui->progressBar->update();
}

void MoreInfoLeftWidget::showFailedView(int iCode)
{
    showProgressRow(true);
    // A full red bar: the white caption would be unreadable on the empty grey track.
    ui->progressBar->setValue(ui->progressBar->maximum());
    ui->progressBar->m_iMode = 1;
    ui->progressBar->m_chunkColor = QColor(QStringLiteral("#FA3239"));
    ui->progressBar->m_strText = tr("download fail");
    ui->progressBar->setToolTip(errorText(iCode));
    ui->progressBar->update();
}

} // namespace gearbay
