#include "SystemConfigWidget.h"

#include "ui_SystemConfigWidget.h"

namespace gearbay {

SystemConfigWidget::SystemConfigWidget(QWidget *parent)
    : FramelessWidget(parent)
    , ui(new Ui::SystemConfigWidget)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
}

SystemConfigWidget::~SystemConfigWidget()
{
    delete ui;
}

void SystemConfigWidget::onSelectDownloadPath()
{
}

void SystemConfigWidget::onIsClosedOpenTools()
{
}

void SystemConfigWidget::onTimeOut()
{
}

void SystemConfigWidget::onUpdateTimeOut()
{
}

void SystemConfigWidget::onManagerProcessTimeOut()
{
}

void SystemConfigWidget::onMaterialProcessTimeOut()
{
}

void SystemConfigWidget::onOpenLicense()
{
}

void SystemConfigWidget::onServerResponded(int method, QMap<int,QString> toolkeyToServerValue)
{
    Q_UNUSED(method)
    Q_UNUSED(toolkeyToServerValue)
}

void SystemConfigWidget::onReUpdate()
{
}

void SystemConfigWidget::onStartCheckUpdate()
{
}

void SystemConfigWidget::onUpdateCompleted()
{
}

void SystemConfigWidget::onUpdateCancel()
{
}

void SystemConfigWidget::onDownloadingCount(int count)
{
    Q_UNUSED(count)
}

} // namespace gearbay
