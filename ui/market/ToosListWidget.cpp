#include "ToosListWidget.h"

#include "ToolsWiget.h"
#include "ui_ToosListWidget.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace gearbay {

ToosListWidget::ToosListWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::ToosListWidget)
{
    ui->setupUi(this);
    m_pToolsWidget = new ToolsWiget(ui->allPage);
    auto *layout = new QGridLayout(ui->allPage);
    layout->setContentsMargins(0, 0, 0, 5);
    layout->addWidget(m_pToolsWidget);
    ui->stackedWidget->setCurrentIndex(0);
    if (m_pToolsWidget->toolCount() == 0)
        showEmptyState();

    ToolsWiget *grid = m_pToolsWidget;
    connect(grid, &ToolsWiget::signalShowMoreInfoWidget, this, &ToosListWidget::signalShowMoreInfoWidget);
    connect(grid, &ToolsWiget::signalDownload, this, &ToosListWidget::signalDownload);
    connect(grid, &ToolsWiget::signalCover, this, &ToosListWidget::signalCover);
    connect(grid, &ToolsWiget::signalToMainPage, this, &ToosListWidget::signalToMainPage);
    connect(this, &ToosListWidget::signalServerResponded, grid, &ToolsWiget::signalServerResponded);
    connect(this, &ToosListWidget::signalClose, grid, &ToolsWiget::signalClose);
    connect(this, &ToosListWidget::signalSubToolsStateChanged, grid, &ToolsWiget::signalSubToolsStateChanged);
    connect(this, &ToosListWidget::signalWaitingToolsStartDownload, grid,
            &ToolsWiget::signalWaitingToolsStartDownload);
}

void ToosListWidget::showEmptyState()
{
    auto *layout = new QVBoxLayout(ui->page_2);
    layout->setContentsMargins(0, 24, 0, 24);
    layout->setSpacing(12);
    auto *picture = new QLabel(ui->page_2);
    picture->setObjectName("emptyPicture");
    picture->setPixmap(QPixmap(":/Gearbay/Image/Gearbai/icon/no_item.png"));
    picture->setAlignment(Qt::AlignCenter);
    auto *text = new QLabel(tr("No tools in the catalog yet."), ui->page_2);
    text->setObjectName("emptyText");
    text->setAlignment(Qt::AlignCenter);
    text->setStyleSheet("color: #999999; font-size: 14px;");
    layout->addWidget(picture);
    layout->addWidget(text);
    layout->addStretch();
    ui->stackedWidget->setCurrentIndex(1);
}

void ToosListWidget::buildNoMatchPage()
{
    m_pNoMatchPage = new QWidget(ui->stackedWidget);
    m_pNoMatchPage->setObjectName("noMatchPage");
    auto *layout = new QVBoxLayout(m_pNoMatchPage);
    layout->setContentsMargins(0, 24, 0, 24);
    layout->setSpacing(12);
    auto *picture = new QLabel(m_pNoMatchPage);
    picture->setPixmap(QPixmap(":/Gearbay/Image/Gearbai/icon/no_item.png"));
    picture->setAlignment(Qt::AlignCenter);
    m_pNoMatchLabel = new QLabel(m_pNoMatchPage);
    m_pNoMatchLabel->setObjectName("noMatchText");
    m_pNoMatchLabel->setAlignment(Qt::AlignCenter);
    m_pNoMatchLabel->setWordWrap(true);
    m_pNoMatchLabel->setStyleSheet("color: #999999; font-size: 14px;");
    layout->addWidget(picture);
    layout->addWidget(m_pNoMatchLabel);
    layout->addStretch();
    ui->stackedWidget->addWidget(m_pNoMatchPage);
}

void ToosListWidget::setFilter(const QString &strText)
{
    // An empty catalog keeps saying so, whatever is typed.
    if (m_pToolsWidget->toolCount() == 0)
        return;
    if (m_pToolsWidget->setFilter(strText) > 0) {
        ui->stackedWidget->setCurrentWidget(ui->allPage);
        return;
    }
    if (m_pNoMatchPage == nullptr)
        buildNoMatchPage();
    m_pNoMatchLabel->setText(tr("No tool matches \"%1\".").arg(strText.trimmed()));
    ui->stackedWidget->setCurrentWidget(m_pNoMatchPage);
}

ToosListWidget::~ToosListWidget()
{
    delete ui;
}

} // namespace gearbay
