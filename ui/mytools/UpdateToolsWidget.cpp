#include "UpdateToolsWidget.h"

#include "ui_UpdateToolsWidget.h"

namespace gearbay {

UpdateToolsWidget::UpdateToolsWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::UpdateToolsWidget)
{
    ui->setupUi(this);
    ui->m_checkAllWidget->hide();
    ui->m_batchUpdateWidget->show();
    ui->m_updateWidget->hide();
    ui->stackedWidget->setCurrentIndex(0);

    connect(
        ui->m_checkAllBox, &QCheckBox::stateChanged, this, &UpdateToolsWidget::signalCheckAllStateChanged);
    // A click only toggles between checked and unchecked; partial is for showing a mixed list.
    connect(ui->m_checkAllBox, &QCheckBox::clicked, this, [this] { ui->m_checkAllBox->setTristate(false); });
    connect(ui->m_BatchUpdateBtn, &QPushButton::clicked, this, &UpdateToolsWidget::onBatchUpdateBtnClicked);
    connect(ui->m_updateBtn, &QPushButton::clicked, this, [this] {
        onUpdateBtnClicked();
        emit signalBatchUpdateBtnClicked();
    });
    connect(ui->m_cancelBtn, &QPushButton::clicked, this, &UpdateToolsWidget::onCancelBtnClicked);
}

UpdateToolsWidget::~UpdateToolsWidget()
{
    delete ui;
}

void UpdateToolsWidget::setScene(QGraphicsScene *scene)
{
    ui->m_graphicsViewUpdate->setScene(scene);
}

QGraphicsView *UpdateToolsWidget::view() const
{
    return ui->m_graphicsViewUpdate;
}

int UpdateToolsWidget::currentPage() const
{
    return ui->stackedWidget->currentIndex();
}

bool UpdateToolsWidget::isSelecting() const
{
    return !ui->m_updateWidget->isHidden();
}

void UpdateToolsWidget::onSubCheckBoxStateChanged(int checkNumber)
{
    if (checkNumber == 0) {
        ui->m_checkAllBox->setCheckState(Qt::Unchecked);
        ui->m_checkAllBox->setTristate(false);
    } else if (checkNumber == 9999) {
        ui->m_checkAllBox->setCheckState(Qt::Checked);
    } else {
        ui->m_checkAllBox->setCheckState(Qt::PartiallyChecked);
    }
}

void UpdateToolsWidget::onBatchUpdateBtnClicked()
{
    emit signalBatchUpdateSelecting(true);
    ui->m_checkAllWidget->show();
    ui->m_batchUpdateWidget->hide();
    ui->m_updateWidget->show();
}

void UpdateToolsWidget::leaveSelecting()
{
    emit signalBatchUpdateSelecting(false);
    ui->m_checkAllWidget->hide();
    ui->m_batchUpdateWidget->show();
    ui->m_updateWidget->hide();
}

void UpdateToolsWidget::onUpdateBtnClicked()
{
    leaveSelecting();
}

void UpdateToolsWidget::onCancelBtnClicked()
{
    leaveSelecting();
}

void UpdateToolsWidget::resetBatchUpdate(bool bHasTools)
{
    leaveSelecting();
    ui->m_BatchUpdateBtn->setEnabled(bHasTools);
    ui->stackedWidget->setCurrentIndex(bHasTools ? 1 : 0);
}

} // namespace gearbay
