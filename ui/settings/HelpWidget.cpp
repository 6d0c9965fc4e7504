#include "HelpWidget.h"

#include "ui_HelpWidget.h"

namespace gearbay {

HelpWidget::HelpWidget(QWidget *parent)
    : FramelessWidget(parent)
    , ui(new Ui::HelpWidget)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
}

HelpWidget::~HelpWidget()
{
    delete ui;
}

void HelpWidget::onManualButtonClicked()
{
}

void HelpWidget::onLicenseButtonClicked()
{
}

} // namespace gearbay
