#include "ToolDownloadWidget.h"

#include "ToolIntroPictureWidget.h"
#include "ToolTypeWidget.h"
#include "ToolsWiget.h"
#include "ToosListWidget.h"
#include "ui_ToolDownloadWidget.h"

#include <QGridLayout>
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

    // Born in its holder: moving the whole card grid to a new parent later would restyle every card.
    m_pListWidget = new ToosListWidget(ui->toolWidget);
    auto *listLayout = new QGridLayout(ui->toolWidget);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(m_pListWidget);

    // A child of the page, not of the scrolled contents, so it stays put while the cards scroll.
    m_pExpendBtn = new QPushButton(this);
    m_pExpendBtn->setObjectName("m_pExpendBtn");
    m_pExpendBtn->setFixedSize(24, 24);
    m_pExpendBtn->setStyleSheet(kFoldStyle);
    m_pExpendBtn->setCursor(Qt::PointingHandCursor);
    m_pExpendBtn->setToolTip(tr("Fold or unfold the banner"));

    // Over the placeholder, outside any layout: it is moved by hand to stay visible while scrolling.
    m_pToolTypeWidget = new ToolTypeWidget(ui->scrollAreaWidgetContents);
    m_pToolTypeWidget->move(ui->scrollAreaWidgetContents->x() + 8, ui->picWidget->height() + kBarGap);
    m_pToolTypeWidget->raise();

    ui->picWidget->installEventFilter(this);

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
    return QWidget::eventFilter(watched, event);
}

} // namespace gearbay
