#include "ToolMoreInfoWidget.h"

#include "ui_ToolMoreInfoWidget.h"

namespace gearbay {

ToolMoreInfoWidget::ToolMoreInfoWidget(const ToolInfo &info, QWidget *parent)
    : QWidget(parent)
    , m_toolInfo(info)
    , ui(new Ui::ToolMoreInfoWidget)
{
    ui->setupUi(this);
}

ToolMoreInfoWidget::~ToolMoreInfoWidget()
{
    delete ui;
}

void ToolMoreInfoWidget::setToolKey(int key)
{
    if (key <= 0)
        return;
    m_iToolKey = key;
}

} // namespace gearbay
