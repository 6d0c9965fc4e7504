#include "SubToolWidget.h"

#include "CardResponse.h"
#include "ConfigureStore.h"
#include "DownloadPreCheck.h"
#include "MarketPixmaps.h"
#include "ProgressBar.h"
#include "StringConvert.h"
#include "ToolCatalog.h"
#include "ui_SubToolWidget.h"
#include "ServerProtocol.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QTextLayout>
#include <QTimer>

namespace gearbay {

namespace {
constexpr int kPollMs = 1000;
const char *const kFocusRingColor = "#2D7FF9";

// The text word-wrapped to iWidth, cut with an ellipsis after the last line that fits in iHeight.
QString elidedLines(const QString &strText, const QFont &font, int iWidth, int iHeight)
{
    const QFontMetrics metrics(font);
    const int iMaxLines = qMax(1, iHeight / metrics.lineSpacing());
    QTextLayout layout(strText, font);
    layout.beginLayout();
    QStringList lines;
    int iEnd = 0;
    while (lines.size() < iMaxLines) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(iWidth);
        lines << strText.mid(line.textStart(), line.textLength());
        iEnd = line.textStart() + line.textLength();
    }
    layout.endLayout();
    if (iEnd >= strText.size() || lines.isEmpty())
        return strText;
    lines.last() = metrics.elidedText(lines.last().trimmed() + QStringLiteral("\u2026"), Qt::ElideRight, iWidth);
    return lines.join('\n');
}
} // namespace

SubToolWidget::SubToolWidget(int key, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SubToolWidget)
    , m_iKey(key)
    , m_pTimer(new QTimer(this))
    , m_pPreCheck(new DownloadPreCheck(this, [] {
        return DownloadPreCheck::Texts { tr("OK"), tr("Cancel"),
            tr("Please set downlaod path at system setting page."),
            tr("Disk free space little than tool Size, please modify download Path.") };
    }))
{
    // The pages pass the state through signals, also queued ones and spies, by either spelling.
    static const int iStateType = qRegisterMetaType<ToolCurrentState>("ToolCurrentState");
    static const int iStateTypeFull = qRegisterMetaType<ToolCurrentState>("gearbay::ToolCurrentState");
    Q_UNUSED(iStateType)
    Q_UNUSED(iStateTypeFull)
    ui->setupUi(this);
    fill();

    connect(m_pPreCheck, &DownloadPreCheck::signalCover, this, &SubToolWidget::signalCover);
    connect(ui->downLoadBtn, &QPushButton::clicked, this, &SubToolWidget::onDownloadTool);
    connect(ui->OpenBtn, &QPushButton::clicked, this, &SubToolWidget::onOpenTool);
    connect(ui->cancelBtn, &QPushButton::clicked, this, &SubToolWidget::onCancelDownload);
    connect(ui->refreshBtn, &QPushButton::clicked, this, &SubToolWidget::onRefresh);
    connect(ui->toolName, &QPushButton::clicked, this, &SubToolWidget::onShowMoreInfoWidget);
    connect(m_pTimer, &QTimer::timeout, this, &SubToolWidget::onTimeOut);
}

SubToolWidget::~SubToolWidget()
{
    delete ui;
}

QString SubToolWidget::errorText(int iCode)
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
        return tr("file not found.");
    case protocol::kCodeUnverified:
        return tr("The download could not be verified and was not installed.");
    default:
        return tr("network abnomaly");
    }
}

void SubToolWidget::fill()
{
    setFixedSize(234, 254);
    ui->toolInfoTextedit->setFixedSize(208, 40);
    ui->refreshBtn->setToolTip(tr("Retry"));
    ui->cancelBtn->setToolTip(tr("Cancel"));
    ui->refreshBtn->setIcon(retryPixmap(24));
    ui->cancelBtn->setIcon(cancelPixmap(24));
    for (QPushButton *button : { ui->refreshBtn, ui->cancelBtn }) {
        button->setIconSize(QSize(24, 24));
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
    }
    // The bar is 14 pixels high; its caption is drawn in the bar's own font, which must fit.
    QFont barFont = ui->progressBar->font();
    barFont.setPixelSize(10);
    ui->progressBar->setFont(barFont);
    ui->newStateLabel->setPixmap(newMarkPixmap(32));
    ui->authorLabel->setPixmap(lockPixmap(24));
    // The blank button under the action only keeps the card's spacing: it stays out of the Tab
    // chain and out of what a screen reader is told.
    QSizePolicy keepSpace = ui->pushButton->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    ui->pushButton->setSizePolicy(keepSpace);
    ui->pushButton->hide();
    // Arrow keys go to the page, which moves between cards; focus shows as a ring on the card.
    for (QPushButton *button : { ui->toolName, ui->downLoadBtn, ui->OpenBtn, ui->cancelBtn, ui->refreshBtn })
        button->installEventFilter(this);

    ToolCatalog *catalog = ToolCatalog::instance();
    auto itInfo = catalog->findInfo(m_iKey);
    if (itInfo == catalog->toolInfos().end()) {
        // An unknown key leaves an empty card rather than one that offers actions.
        for (QWidget *w : { static_cast<QWidget *>(ui->OpenBtn), static_cast<QWidget *>(ui->downLoadBtn),
                            static_cast<QWidget *>(ui->progressBar), static_cast<QWidget *>(ui->refreshBtn),
                            static_cast<QWidget *>(ui->cancelBtn), static_cast<QWidget *>(ui->newStateLabel),
                            static_cast<QWidget *>(ui->authorLabel) })
            w->hide();
        return;
    }
    m_toolInfo = itInfo.value();
    m_bHasInfo = true;

    // Long names and introductions are cut to the card (the tooltips keep them whole); the fonts are
    // the style sheet's, so they are measured after polishing.
    const QString strName = vellum::ConvertToUnicode(catalog->toolName(m_iKey));
    ui->toolName->ensurePolished();
    const int iNameWidth = m_toolInfo.IsDown == 1 ? 166 : 196;
    ui->toolName->setText(ui->toolName->fontMetrics().elidedText(strName, Qt::ElideRight, iNameWidth));
    ui->toolName->setToolTip(strName);
    const QString strIntro = vellum::ConvertToUnicode(catalog->briefIntro(m_iKey));
    ui->toolInfoTextedit->ensurePolished();
    ui->toolInfoTextedit->setText(elidedLines(strIntro, ui->toolInfoTextedit->font(), 208, 40));
    ui->toolInfoTextedit->setToolTip(strIntro);
    // Every control names its tool, so no two cards share a name and a reader says which tool.
    setAccessibleName(strName);
    setAccessibleDescription(strIntro);
    ui->toolName->setAccessibleName(tr("Details of %1").arg(strName));
    ui->downLoadBtn->setAccessibleName(tr("Download %1").arg(strName));
    ui->OpenBtn->setAccessibleName(tr("Open %1").arg(strName));
    ui->cancelBtn->setAccessibleName(tr("Cancel the download of %1").arg(strName));
    ui->refreshBtn->setAccessibleName(tr("Retry the download of %1").arg(strName));
    ui->progressBar->setAccessibleName(tr("Download progress of %1").arg(strName));

    // The logo is decoded when the card is first painted: most cards of a large catalog start
    // scrolled out of sight.
    ui->logoLabel->setAlignment(Qt::AlignCenter);
    ui->logoLabel->setCursor(Qt::PointingHandCursor);
    ui->logoLabel->installEventFilter(this);

    auto itState = catalog->findState(m_iKey);
    const bool bNew = itState != catalog->toolStates().end() && itState->IsNewTools == 1;
    ui->newStateLabel->setVisible(bNew);
    ui->authorLabel->setVisible(m_toolInfo.IsDown == 1);
    ui->authorLabel->setToolTip(tr("Needs a directory login"));
    ui->authorLabel->setAccessibleName(ui->authorLabel->toolTip());

    showInstalledOrDownloadView();
}

int SubToolWidget::isDownloaded() const
{
    ToolCatalog *catalog = ToolCatalog::instance();
    auto it = catalog->findState(m_iKey);
    return it == catalog->toolStates().end() ? 0 : it->IsDownload;
}

void SubToolWidget::showDownloadView()
{
    const bool bFocused = hasFocusInside();
    ui->downLoadBtn->show();
    ui->OpenBtn->hide();
    ui->cancelBtn->hide();
    ui->progressBar->hide();
    ui->refreshBtn->hide();
    takeActionFocus(ui->downLoadBtn, bFocused);
}

void SubToolWidget::showOpenView()
{
    const bool bFocused = hasFocusInside();
    ui->OpenBtn->show();
    ui->cancelBtn->hide();
    ui->downLoadBtn->hide();
    ui->progressBar->hide();
    ui->refreshBtn->hide();
    takeActionFocus(ui->OpenBtn, bFocused);
}

void SubToolWidget::showInstalledOrDownloadView()
{
    if (isDownloaded() == 1)
        showOpenView();
    else
        showDownloadView();
}

void SubToolWidget::showEmptyBarView()
{
    const bool bFocused = hasFocusInside();
    ui->refreshBtn->hide();
    ui->OpenBtn->hide();
    ui->downLoadBtn->hide();
    ui->progressBar->show();
    ui->cancelBtn->show();
    ui->progressBar->setValue(0);
    takeActionFocus(ui->cancelBtn, bFocused);
}

void SubToolWidget::showDownloadingView()
{
    showEmptyBarView();
    ui->progressBar->m_iMode = 0;
    ui->progressBar->m_chunkColor = QColor("#3BCD8D");
    ui->progressBar->m_backColor = QColor("#E6E6E6");
    ui->progressBar->setToolTip(QString());
    ui->progressBar->setAccessibleDescription(QString());
    ui->progressBar->update();
}

void SubToolWidget::showWaitingView()
{
    showEmptyBarView();
    ui->progressBar->m_iMode = 2;
    // The caption is white: on the usual pale track it could not be read.
    ui->progressBar->m_backColor = QColor("#BFC3C3");
    ui->progressBar->m_strText = tr("Waiting...");
    ui->progressBar->setToolTip(QString());
    ui->progressBar->setAccessibleDescription(ui->progressBar->m_strText);
    ui->progressBar->update();
}

void SubToolWidget::showFailedView(int iCode)
{
    const bool bFocused = hasFocusInside();
    ui->OpenBtn->hide();
    ui->downLoadBtn->hide();
    ui->progressBar->show();
    ui->cancelBtn->show();
    ui->refreshBtn->show();
    // A full red bar: the white caption would be unreadable on the empty grey track.
    ui->progressBar->setValue(ui->progressBar->maximum());
    ui->progressBar->m_iMode = 1;
    ui->progressBar->m_backColor = QColor("#E6E6E6");
    ui->progressBar->m_chunkColor = QColor("#FA3239");
    ui->progressBar->m_strText = tr("download fail");
    ui->progressBar->setToolTip(errorText(iCode));
    ui->progressBar->setAccessibleDescription(
        ui->progressBar->m_strText + QStringLiteral(": ") + errorText(iCode));
    ui->progressBar->update();
    takeActionFocus(ui->refreshBtn, bFocused);
}

void SubToolWidget::fail(int iCode)
{
    showFailedView(iCode);
    m_pTimer->stop();
}

void SubToolWidget::completeDownload()
{
    m_pTimer->stop();
    showOpenView();
    m_emState = StateDownloaded;
    ToolCatalog *catalog = ToolCatalog::instance();
    auto it = catalog->findState(m_iKey);
    if (it != catalog->toolStates().end()) {
        it->IsDownload = 1;
        it->CurrentVersion = m_toolInfo.Version;
    }
    emit signalToMainPage(StateDownloaded, m_iKey);
}

void SubToolWidget::onDownloadTool()
{
    if (!m_bHasInfo || !m_pPreCheck->passesDiskChecks(m_toolInfo.ToolSize)
        || !m_pPreCheck->passesLoginGate(m_toolInfo.IsDown == 1))
        return;
    onRefresh();
}

void SubToolWidget::onRefresh()
{
    showDownloadingView();
    m_emState = StateRequested;
    emit signalDownload(3, { m_iKey });
    emit signalToMainPage(StateRequested, m_iKey);
}

void SubToolWidget::onServerResponded(int iMethod, QMap<int, QString> mapToolkeyToServerValue)
{
    auto it = mapToolkeyToServerValue.constFind(m_iKey);
    if (it == mapToolkeyToServerValue.constEnd() || m_emState == StateCancelled)
        return;
    const CardReaction reaction = cardReaction(iMethod, it.value().toInt(nullptr, 10));
    switch (reaction.emAction) {
    case CardAction::Ignore:
        break;
    case CardAction::StartPolling:
        m_pTimer->start(kPollMs);
        emit signalToMainPage(StateDownloading, m_iKey);
        m_emState = StateDownloading;
        break;
    case CardAction::ShowWaiting:
        showWaitingView();
        break;
    case CardAction::ShowProgress:
        ui->progressBar->setValue(reaction.iValue);
        break;
    case CardAction::Complete:
        completeDownload();
        break;
    case CardAction::Fail:
        fail(reaction.iValue);
        break;
    }
}

void SubToolWidget::onTimeOut()
{
    emit signalDownload(4, { m_iKey });
}

void SubToolWidget::onCancelDownload()
{
    m_pTimer->stop();
    showInstalledOrDownloadView();
    m_emState = StateCancelled;
    ui->progressBar->setValue(0);
    emit signalDownload(5, { m_iKey });
    emit signalToMainPage(StateCancelled, m_iKey);
}

void SubToolWidget::onSubToolsStateChanged(ToolCurrentState enumType, int iKey)
{
    if (iKey != m_iKey)
        return;
    switch (enumType) {
    case StateRequested:
        showDownloadingView();
        m_emState = StateRequested;
        break;
    case StateDownloading:
        m_pTimer->start(kPollMs);
        m_emState = StateDownloading;
        break;
    case StateDownloaded:
        break;
    case StateCancelled:
        showInstalledOrDownloadView();
        m_pTimer->stop();
        m_emState = StateCancelled;
        break;
    case StateDeleted: {
        showDownloadView();
        m_pTimer->stop();
        ToolCatalog *catalog = ToolCatalog::instance();
        auto it = catalog->findState(m_iKey);
        if (it != catalog->toolStates().end())
            it->IsDownload = 0;
        m_emState = StateDeleted;
        break;
    }
    default:
        break;
    }
}

void SubToolWidget::onWaitingToolsStartDownload(int key)
{
    if (key != m_iKey)
        return;
    showDownloadingView();
    ui->progressBar->repaint();
    emit signalToMainPage(StateDownloading, m_iKey);
}

void SubToolWidget::onOpenTool()
{
    if (!m_bHasInfo || !m_pPreCheck->passesLoginGate(m_toolInfo.IsDown == 1))
        return;
    if (m_pPreCheck->refusesWhileRunning(vellum::ConvertToUnicode(m_toolInfo.ExeName),
            vellum::ConvertToUnicode(ToolCatalog::instance()->toolName(m_iKey)) + " "
                + tr("Software already opened.")))
        return;
    const QString strExePath = ToolCatalog::instance()->toolExePath(m_iKey);
    if (!QFileInfo::exists(strExePath)) {
        // The tool's folder went away behind our back: say so and fetch it again.
        qDebug() << "---orlenk--- Exe not exist" << strExePath;
        ToolCatalog *catalog = ToolCatalog::instance();
        auto it = catalog->findState(m_iKey);
        if (it != catalog->toolStates().end())
            it->IsDownload = 0;
        showDownloadView();
        m_pPreCheck->showNotice(tr("The tool's files were not found; it will be downloaded again."));
        onDownloadTool();
        return;
    }
    if (!m_launch.start(strExePath)) {
        qWarning() << "---orlenk--- cannot start" << strExePath;
        m_pPreCheck->showNotice(tr("The tool could not be started."));
    }
}

void SubToolWidget::onClose()
{
    if (ConfigureStore::instance()->isCloseOpenTools() >= 1)
        m_launch.terminate();
}

void SubToolWidget::onShowMoreInfoWidget()
{
    emit signalShowMoreInfoWidget(m_iKey);
}

bool SubToolWidget::hasFocusInside() const
{
    return isAncestorOf(QApplication::focusWidget());
}

void SubToolWidget::takeActionFocus(QWidget *button, bool bFocused)
{
    // The card's one action is where focus lands on it; a click that hid the focused button
    // leaves the focus on the card instead of on the next card. (No focus proxy: it would
    // reorder the Tab chain.)
    m_pActionBtn = button;
    if (bFocused)
        button->setFocus(Qt::OtherFocusReason);
}

void SubToolWidget::focusInEvent(QFocusEvent *event)
{
    if (m_pActionBtn != nullptr && m_pActionBtn->isVisible())
        m_pActionBtn->setFocus(event->reason());
    QWidget::focusInEvent(event);
}

bool SubToolWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        update();
    if (event->type() == QEvent::KeyPress && watched != ui->logoLabel) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            // Unhandled, it travels up to the market page instead of moving along the Tab chain.
            event->ignore();
            return true;
        default:
            break;
        }
    }
    if (watched == ui->logoLabel && event->type() == QEvent::MouseButtonRelease)
        emit signalShowMoreInfoWidget(m_iKey);
    if (watched == ui->logoLabel && event->type() == QEvent::Paint && m_bHasInfo && !m_bLogoLoaded)
        loadLogo();
    return QWidget::eventFilter(watched, event);
}

void SubToolWidget::loadLogo()
{
    m_bLogoLoaded = true;
    const QString strIconName = vellum::ConvertToUnicode(m_toolInfo.IconMidName);
    const QSize logoSize = ui->logoLabel->minimumSize();
    ui->logoLabel->setPixmap(strIconName.isEmpty()
                                 ? placeholderPixmap(logoSize)
                                 : pixmapOrPlaceholder(QDir::currentPath() + "/ToolsFile/Icon/" + strIconName, logoSize));
}

void SubToolWidget::paintEvent(QPaintEvent *event)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    if (hasFocusInside()) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(kFocusRingColor), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
    }
    QWidget::paintEvent(event);
}

bool SubToolWidget::isIdle() const
{
    return (m_emState == StateNone || m_emState == StateDownloaded || m_emState == StateDeleted)
        && !m_pTimer->isActive() && ui->progressBar->isHidden() && !m_launch.isRunning();
}

} // namespace gearbay
