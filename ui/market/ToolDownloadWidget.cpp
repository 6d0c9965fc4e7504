#include "ToolDownloadWidget.h"

#include "SubToolWidget.h"
#include "ToolIntroPictureWidget.h"
#include "ToolTypeWidget.h"
#include "ToolsWiget.h"
#include "ToosListWidget.h"
#include "ui_ToolDownloadWidget.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace gearbay {

namespace {
const char *const kFoldStyle = "QPushButton{border-image:url(:/Gearbay/Image/Gearbai/icon/ic_fold.png);}"
                               "QPushButton:hover{background: #ebebeb;}QPushButton:pressed{background: #e0e0e0;}";
const char *const kUnfoldStyle = "QPushButton{border-image:url(:/Gearbay/Image/Gearbai/icon/ic_unfold.png);}"
                                 "QPushButton:hover{background: #ebebeb;}QPushButton:pressed{background: #e0e0e0;}";
constexpr int kBarGap = 12;
constexpr int kHolderShown = 68;
constexpr int kHolderFolded = 56;
} // namespace

ToolDownloadWidget::ToolDownloadWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::ToolDownloadWidget)
{
    ui->setupUi(this);

    m_pIntroWidget = new ToolIntroPictureWidget(ui->picWidget);
    auto *picLayout = new QGridLayout(ui->picWidget);
    picLayout->setContentsMargins(0, 0, 0, 0);
    picLayout->addWidget(m_pIntroWidget);

    // A child of the page, not of the scrolled contents, so it stays put while the cards scroll.
    m_pExpendBtn = new QPushButton(this);
    m_pExpendBtn->setObjectName("m_pExpendBtn");
    m_pExpendBtn->setFixedSize(24, 24);
    m_pExpendBtn->setStyleSheet(kFoldStyle);
    m_pExpendBtn->setCursor(Qt::PointingHandCursor);
    m_pExpendBtn->setToolTip(tr("Fold or unfold the banner"));
    m_pExpendBtn->setAccessibleName(m_pExpendBtn->toolTip());

    // Over the placeholder, outside any layout: it is moved by hand to stay visible while scrolling.
    m_pToolTypeWidget = new ToolTypeWidget(ui->scrollAreaWidgetContents);
    m_pToolTypeWidget->move(ui->scrollAreaWidgetContents->x() + 8, ui->picWidget->height() + kBarGap);
    m_pToolTypeWidget->raise();

    // Born in its holder: moving the whole card grid to a new parent later would restyle every card.
    // Made after the fold button and the type bar, so Tab meets the cards after them, as the eye does.
    m_pListWidget = new ToosListWidget(ui->toolWidget);
    auto *listLayout = new QGridLayout(ui->toolWidget);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(m_pListWidget);

    ui->picWidget->installEventFilter(this);
    // Arrow keys a card leaves unhandled arrive here before the scroll area would scroll with them.
    ui->scrollArea->installEventFilter(this);
    // Tab goes to the controls inside; the area scrolls to whichever has the focus.
    ui->scrollArea->setFocusPolicy(Qt::NoFocus);

    connect(m_pExpendBtn, &QPushButton::clicked, this, &ToolDownloadWidget::onExpend);
    connect(ui->scrollArea->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ToolDownloadWidget::onScrollValueChanged);

    connect(m_pToolTypeWidget, &ToolTypeWidget::signalSearchTextChanged, m_pListWidget,
            &ToosListWidget::setFilter);
    connect(m_pToolTypeWidget, &ToolTypeWidget::signalSearchFocused, m_pListWidget,
            [this] { m_pListWidget->toolsWidget()->prepareSearch(); });
    connect(m_pIntroWidget, &ToolIntroPictureWidget::signalClicked, this,
            &ToolDownloadWidget::signalShowMoreInfoWidget);
    ToosListWidget *list = m_pListWidget;
    connect(list, &ToosListWidget::signalShowMoreInfoWidget, this, &ToolDownloadWidget::signalShowMoreInfoWidget);
    connect(list, &ToosListWidget::signalDownload, this, &ToolDownloadWidget::signalDownload);
    connect(list, &ToosListWidget::signalCover, this, &ToolDownloadWidget::signalCover);
    connect(list, &ToosListWidget::signalToMainPage, this, &ToolDownloadWidget::signalToMainPage);
    connect(this, &ToolDownloadWidget::signalServerResponded, list, &ToosListWidget::signalServerResponded);
    connect(this, &ToolDownloadWidget::signalClose, list, &ToosListWidget::signalClose);
    connect(this, &ToolDownloadWidget::signalSubToolsStateChanged, list,
            &ToosListWidget::signalSubToolsStateChanged);
    connect(this, &ToolDownloadWidget::signalWaitingToolsStartDownload, list,
            &ToosListWidget::signalWaitingToolsStartDownload);
}

ToolDownloadWidget::~ToolDownloadWidget()
{
    delete ui;
}

void ToolDownloadWidget::focusSearch()
{
    QLineEdit *edit = m_pToolTypeWidget->searchEdit();
    edit->setFocus(Qt::ShortcutFocusReason);
    edit->selectAll();
}

void ToolDownloadWidget::onScrollValueChanged(int iValue)
{
    const int iBarX = ui->picWidget->x() + 8;
    if (!ui->picWidget->isHidden()) {
        const int iRest = ui->picWidget->height() + kBarGap;
        m_pToolTypeWidget->move(iBarX, iValue <= iRest ? iRest : iValue);
    } else {
        m_pToolTypeWidget->move(x() + 8, iValue < 13 ? y() : iValue);
    }
    ui->widget->setFixedHeight(ui->picWidget->isHidden() ? kHolderFolded : kHolderShown);
}

void ToolDownloadWidget::onExpend()
{
    if (!ui->picWidget->isHidden()) {
        m_pExpendBtn->setStyleSheet(kUnfoldStyle);
        ui->picWidget->hide();
        m_pToolTypeWidget->move(x() + 8, y() + ui->scrollArea->verticalScrollBar()->value());
        ui->widget->setFixedHeight(kHolderFolded);
    } else {
        m_pExpendBtn->setStyleSheet(kFoldStyle);
        ui->picWidget->show();
        ui->scrollArea->verticalScrollBar()->setValue(0);
        m_pToolTypeWidget->move(ui->picWidget->x() + 8, ui->picWidget->height() + kBarGap);
        ui->widget->setFixedHeight(kHolderShown);
    }
}

void ToolDownloadWidget::followBannerWidth()
{
    m_pExpendBtn->move(ui->picWidget->x() + ui->picWidget->width() - 32, 10);
    m_pToolTypeWidget->setFixedWidth(ui->picWidget->width() - 8);
}

void ToolDownloadWidget::resizeEvent(QResizeEvent *event)
{
    followBannerWidth();
    QWidget::resizeEvent(event);
}

bool ToolDownloadWidget::eventFilter(QObject *watched, QEvent *event)
{
    // The banner holder gets its new width from the layout only after the page's own resize.
    if (watched == ui->picWidget && event->type() == QEvent::Resize)
        followBannerWidth();
    if (watched == ui->scrollArea && event->type() == QEvent::KeyPress
        && moveCardFocus(static_cast<QKeyEvent *>(event)->key()))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool ToolDownloadWidget::moveCardFocus(int iKey)
{
    if (iKey != Qt::Key_Left && iKey != Qt::Key_Right && iKey != Qt::Key_Up && iKey != Qt::Key_Down)
        return false;
    QWidget *focused = QApplication::focusWidget();
    while (focused != nullptr && qobject_cast<SubToolWidget *>(focused) == nullptr)
        focused = focused->parentWidget();
    auto *current = static_cast<SubToolWidget *>(focused);
    if (current == nullptr || !isAncestorOf(current))
        return false;

    // The nearest card in that direction among those that exist and show: along the same row for
    // Left and Right, in the nearest row (then the nearest column) for Up and Down.
    const bool bHorizontal = iKey == Qt::Key_Left || iKey == Qt::Key_Right;
    const int iSign = (iKey == Qt::Key_Right || iKey == Qt::Key_Down) ? 1 : -1;
    const QPoint from = current->mapTo(this, current->rect().center());
    SubToolWidget *best = nullptr;
    qint64 iBestScore = 0;
    for (SubToolWidget *card : ui->scrollAreaWidgetContents->findChildren<SubToolWidget *>()) {
        if (card == current || !card->isVisibleTo(this))
            continue;
        const QPoint delta = card->mapTo(this, card->rect().center()) - from;
        const int iAlong = iSign * (bHorizontal ? delta.x() : delta.y());
        const int iAcross = qAbs(bHorizontal ? delta.y() : delta.x());
        const int iHalf = (bHorizontal ? current->width() : current->height()) / 2;
        if (iAlong < iHalf || (bHorizontal && iAcross >= current->height() / 2))
            continue;
        const qint64 iScore = qint64(iAlong) * 100000 + iAcross;
        if (best == nullptr || iScore < iBestScore) {
            best = card;
            iBestScore = iScore;
        }
    }
    if (best != nullptr) {
        best->setFocus(Qt::TabFocusReason);
        ui->scrollArea->ensureWidgetVisible(best, 0, 16);
    }
    return true; // at the grid's edge the focus stays where it is
}

} // namespace gearbay
