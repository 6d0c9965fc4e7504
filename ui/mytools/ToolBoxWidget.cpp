#include "ToolBoxWidget.h"

#include "ui_ToolBoxWidget.h"

namespace gearbay {

ToolBoxWidget::ToolBoxWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::ToolBoxWidget)
{
    ui->setupUi(this);
}

ToolBoxWidget::~ToolBoxWidget()
{
    delete ui;
}

void ToolBoxWidget::onShowToolBoxWidget()
{
}

void ToolBoxWidget::onSubToolsStateChanged(ToolCurrentState enumType, int iKey)
{
    Q_UNUSED(enumType)
    Q_UNUSED(iKey)
}

void ToolBoxWidget::onTabChanged(int index)
{
    Q_UNUSED(index)
}

void ToolBoxWidget::onToolDeleted(int iToolKey)
{
    Q_UNUSED(iToolKey)
}

void ToolBoxWidget::onToolUpgradeCompleted(int iToolKey)
{
    Q_UNUSED(iToolKey)
}

QMap<int, int> ToolBoxWidget::toolOrderMap() const
{
    return {};
}

} // namespace gearbay
