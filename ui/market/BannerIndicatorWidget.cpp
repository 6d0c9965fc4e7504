#include "BannerIndicatorWidget.h"

#include "MarketPixmaps.h"
#include "StringConvert.h"
#include "ToolCatalog.h"
#include "ui_BannerIndicatorWidget.h"

namespace gearbay {

BannerIndicatorWidget::BannerIndicatorWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::BannerIndicatorWidget)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    connect(ui->picBtn, &vellum::IconButton::clicked, this, [this]() { emit signalClicked(m_iKey); });
}

BannerIndicatorWidget::~BannerIndicatorWidget()
{
    delete ui;
}

void BannerIndicatorWidget::setToolKey(int iKey)
{
    m_iKey = iKey;
    ui->picBtn->setAccessibleName(
        tr("Banner preview of %1").arg(vellum::ConvertToUnicode(ToolCatalog::instance()->toolName(iKey))));
}

void BannerIndicatorWidget::setImagePath(const QString &strPath)
{
    m_strImagePath = strPath;
    ui->picBtn->SetPixmap(pixmapOrPlaceholder(strPath, ui->picBtn->minimumSize()));
}

void BannerIndicatorWidget::enterEvent(QEvent *event)
{
    emit signalShowMaxPic(m_iKey);
    QWidget::enterEvent(event);
}

} // namespace gearbay
