#include "ToolBoxTabWidget.h"

#include "ui_ToolBoxTabWidget.h"

#include <QIcon>

namespace gearbay {

namespace {

QString buttonStyle(
    const char *color, const char *top, const char *left, const char *right, const char *bottom)
{
    return QString(
        "QPushButton{font-family:Microsoft Yahei;font-size:12px;letter-spacing:0px;line-height:20px;"
        "background:transparent;padding-left:15px;padding-right:15px;color:%1;border-top:%2;"
        "border-left:%3;border-right:%4;border-bottom:%5;}")
        .arg(color, top, left, right, bottom);
}

} // namespace

ToolBoxTabWidget::ToolBoxTabWidget(QWidget *parent)
    : QFrame(parent)
    , ui(new Ui::ToolBoxTabWidget)
{
    ui->setupUi(this);
    ui->allToolBtn->setIconSize(QSize(24, 24));
    ui->updateableToolBtn->setIconSize(QSize(24, 24));
    ui->allToolBtn->setText(tr("All Tools"));
    ui->allToolBtn->setToolTip(tr("All Tools"));
    ui->updateableToolBtn->setText(tr("Updateable Tools"));
    ui->updateableToolBtn->setToolTip(tr("Update Tools"));
    connect(ui->allToolBtn, &QPushButton::clicked, this, &ToolBoxTabWidget::onAllToolBtnClicked);
    connect(ui->updateableToolBtn, &QPushButton::clicked, this, &ToolBoxTabWidget::onUpdateableBtnClicked);
    connect(
        ui->stackedWidget, &QStackedWidget::currentChanged, this, &ToolBoxTabWidget::signalCurrentChanged);
    onAllToolBtnClicked();
}

ToolBoxTabWidget::~ToolBoxTabWidget()
{
    delete ui;
}

void ToolBoxTabWidget::setCurrentTab(int index)
{
    if (unsigned(index) > 1u)
        return;
    ui->stackedWidget->setCurrentIndex(index);
}

int ToolBoxTabWidget::currentTab() const
{
    return ui->stackedWidget->currentIndex();
}

void ToolBoxTabWidget::setDownloadedTabLayout(QLayout *layout)
{
    ui->m_downloadedToolsTab->setLayout(layout);
}

void ToolBoxTabWidget::setUpdateTabLayout(QLayout *layout)
{
    ui->m_updateToolsTab->setLayout(layout);
}

QPoint ToolBoxTabWidget::updateTabTopRight() const
{
    const QRect rect = ui->updateableToolBtn->geometry();
    return QPoint(rect.x() + rect.width(), rect.y());
}

QPoint ToolBoxTabWidget::updateTabBottomRight() const
{
    const QRect rect = ui->updateableToolBtn->geometry();
    return QPoint(rect.x() + rect.width(), rect.y() + rect.height());
}

void ToolBoxTabWidget::onAllToolBtnClicked()
{
    ui->stackedWidget->setCurrentIndex(0);
    ui->allToolBtn->setIcon(QIcon(":/Gearbay/Image/Gearbai/icon/ic_all_sel.png"));
    ui->allToolBtn->setStyleSheet(
        buttonStyle("#FA3239", "2px solid #fa3239", "1px solid #EBEBEB", "none", "none"));
    ui->updateableToolBtn->setIcon(QIcon(":/Gearbay/Image/Gearbai/icon/ic_quickSettings_nor.png"));
    ui->updateableToolBtn->setStyleSheet(buttonStyle(
        "#666666", "1px solid #EBEBEB", "1px solid #EBEBEB", "1px solid #EBEBEB", "1px solid #EBEBEB"));
}

void ToolBoxTabWidget::onUpdateableBtnClicked()
{
    ui->stackedWidget->setCurrentIndex(1);
    ui->updateableToolBtn->setIcon(QIcon(":/Gearbay/Image/Gearbai/icon/ic_quickSettings_sel.png"));
    ui->updateableToolBtn->setStyleSheet(
        buttonStyle("#FA3239", "2px solid #fa3239", "1px solid #EBEBEB", "1px solid #EBEBEB", "none"));
    ui->allToolBtn->setIcon(QIcon(":/Gearbay/Image/Gearbai/icon/ic_all_nor.png"));
    ui->allToolBtn->setStyleSheet(
        buttonStyle("#666666", "1px solid #EBEBEB", "1px solid #EBEBEB", "none", "1px solid #EBEBEB"));
}

void ToolBoxTabWidget::showEvent(QShowEvent *event)
{
    onAllToolBtnClicked();
    QFrame::showEvent(event);
}

} // namespace gearbay
