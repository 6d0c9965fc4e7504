#include "ToolIntroPictureWidget.h"

#include "BannerIndicatorWidget.h"
#include "ConfigureStore.h"
#include "MarketPixmaps.h"
#include "StringConvert.h"
#include "ToolCatalog.h"
#include "ui_ToolIntroPictureWidget.h"

#include <QDir>
#include <QGraphicsDropShadowEffect>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace gearbay {

namespace {
constexpr int kRotationMs = 5000;
constexpr int kPreviewCount = 3;
// Fewer pictures than previews plus one cannot rotate through a column of three.
constexpr int kMinimumEntries = 4;
} // namespace

ToolIntroPictureWidget::ToolIntroPictureWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::ToolIntroPictureWidget)
{
    ui->setupUi(this);
    ui->frame->setAttribute(Qt::WA_TranslucentBackground);
    auto *shadow = new QGraphicsDropShadowEffect(ui->frame);
    shadow->setOffset(-2, 0);
    shadow->setColor(QColor("#d5d8d8"));
    shadow->setBlurRadius(2);
    ui->frame->setGraphicsEffect(shadow);

    findImages();
    buildPreviews();
    if (m_iShownKey < 0) {
        // Nothing to rotate through: a neutral picture instead of an empty hole.
        const QString strFirst = m_mapMaxPics.isEmpty() ? QString() : m_mapMaxPics.first();
        ui->picMax->SetPixmap(pixmapOrPlaceholder(strFirst, ui->picMax->minimumSize()));
        if (!m_mapMaxPics.isEmpty())
            m_iShownKey = m_mapMaxPics.firstKey();
        ui->picMax->setAccessibleName(tr("Banner"));
    }

    connect(ui->picMax, &vellum::IconButton::clicked, this, [this]() {
        if (m_iShownKey >= 0)
            emit signalClicked(m_iShownKey);
    });
    if (m_pSwitchBtn)
        connect(m_pSwitchBtn, &QPushButton::clicked, this, &ToolIntroPictureWidget::onSwitch);
    if (m_pTimer) {
        connect(m_pTimer, &QTimer::timeout, this, &ToolIntroPictureWidget::onRotate);
        m_pTimer->start(kRotationMs);
    }
}

ToolIntroPictureWidget::~ToolIntroPictureWidget()
{
    delete ui;
}

void ToolIntroPictureWidget::findImages()
{
    const QString strLanguage = ConfigureStore::instance()->translator() == 1 ? "zh" : "en";
    const QString strFolder = QDir::currentPath() + "/ToolsFile/BannerImages/" + strLanguage;
    QDir dir(strFolder);
    if (!dir.exists())
        return;
    const QStringList files = dir.entryList({ "*.png" }, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString &strFile : files) {
        const QStringList parts = strFile.split('_');
        if (parts.size() != 2)
            continue;
        bool bOk = false;
        const int iKey = parts.first().toInt(&bOk, 10);
        if (!bOk || iKey < 2)
            continue;
        // Both paths come from the key, whichever of the two files was found.
        m_mapMinPics.insert(iKey, strFolder + "/" + QString::number(iKey) + "_min.png");
        m_mapMaxPics.insert(iKey, strFolder + "/" + QString::number(iKey) + "_max.png");
    }
}

void ToolIntroPictureWidget::buildPreviews()
{
    if (m_mapMinPics.size() != m_mapMaxPics.size() || m_mapMinPics.size() < kMinimumEntries)
        return;

    auto *layout = new QVBoxLayout(ui->indicatorWidget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_itNextMin = m_mapMinPics.constBegin();
    for (int i = 0; i < kPreviewCount; ++i) {
        auto *indicator = new BannerIndicatorWidget(ui->indicatorWidget);
        connect(indicator, &BannerIndicatorWidget::signalShowMaxPic, this,
                &ToolIntroPictureWidget::onShowMaxPic);
        connect(indicator, &BannerIndicatorWidget::signalClicked, this, &ToolIntroPictureWidget::signalClicked);
        indicator->setImagePath(m_itNextMin.value());
        indicator->setToolKey(m_itNextMin.key());
        layout->addWidget(indicator);
        m_vectIndicators.append(indicator);
        ++m_itNextMin;
    }
    showMaxPicture(m_mapMaxPics.firstKey());

    m_pSwitchBtn = new QPushButton(this);
    m_pSwitchBtn->setObjectName("m_pSwitchBtn");
    m_pSwitchBtn->setFixedSize(32, 32);
    m_pSwitchBtn->setCursor(Qt::PointingHandCursor);
    m_pSwitchBtn->setIcon(nextPixmap(32));
    m_pSwitchBtn->setIconSize(QSize(32, 32));
    m_pSwitchBtn->setFlat(true);
    m_pSwitchBtn->setToolTip(tr("Next picture"));
    m_pSwitchBtn->setAccessibleName(m_pSwitchBtn->toolTip());
    m_pSwitchBtn->hide();
    m_pTimer = new QTimer(this);
}

void ToolIntroPictureWidget::showMaxPicture(int iKey)
{
    ui->picMax->SetPixmap(pixmapOrPlaceholder(m_mapMaxPics.value(iKey), ui->picMax->minimumSize()));
    m_iShownKey = iKey;
    ui->picMax->setAccessibleName(
        tr("Banner: %1").arg(vellum::ConvertToUnicode(ToolCatalog::instance()->toolName(iKey))));
}

void ToolIntroPictureWidget::onShowMaxPic(int iKey)
{
    if (m_mapMaxPics.contains(iKey))
        showMaxPicture(iKey);
}

void ToolIntroPictureWidget::onRotate()
{
    if (m_vectIndicators.size() != kPreviewCount)
        return;
    for (int i = 0; i + 1 < kPreviewCount; ++i) {
        m_vectIndicators[i]->setImagePath(m_vectIndicators[i + 1]->imagePath());
        m_vectIndicators[i]->setToolKey(m_vectIndicators[i + 1]->toolKey());
    }
    if (m_itNextMin == m_mapMinPics.constEnd())
        m_itNextMin = m_mapMinPics.constBegin();
    BannerIndicatorWidget *bottom = m_vectIndicators.last();
    bottom->setImagePath(m_itNextMin.value());
    bottom->setToolKey(m_itNextMin.key());
    ++m_itNextMin;

    auto it = m_mapMaxPics.constFind(m_iShownKey);
    if (it == m_mapMaxPics.constEnd())
        return;
    ++it;
    if (it == m_mapMaxPics.constEnd())
        it = m_mapMaxPics.constBegin();
    showMaxPicture(it.key());
}

void ToolIntroPictureWidget::onSwitch()
{
    m_pTimer->start(kRotationMs);
    onRotate();
}

void ToolIntroPictureWidget::enterEvent(QEvent *event)
{
    if (m_pSwitchBtn)
        m_pSwitchBtn->show();
    QWidget::enterEvent(event);
}

void ToolIntroPictureWidget::leaveEvent(QEvent *event)
{
    if (m_pSwitchBtn)
        m_pSwitchBtn->hide();
    QWidget::leaveEvent(event);
}

void ToolIntroPictureWidget::resizeEvent(QResizeEvent *event)
{
    if (m_pSwitchBtn)
        m_pSwitchBtn->move(x() + 853, y() + 248);
    QWidget::resizeEvent(event);
}

} // namespace gearbay
