#include "ToolMoreInfoWidget.h"

#include "ui_ToolMoreInfoWidget.h"

#include "ConfigureStore.h"
#include "MoreInfoLeftWidget.h"
#include "MoreInfoRightBottomWidget.h"
#include "MoreInfoRightTopWidget.h"
#include "ToolCatalog.h"

#include <QDir>
#include <QGridLayout>

namespace gearbay {

namespace {

void putIntoHolder(QWidget *pHolder, QWidget *pChild)
{
    auto *pLayout = new QGridLayout(pHolder);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(pChild);
}

} // namespace

ToolMoreInfoWidget::ToolMoreInfoWidget(const ToolInfo &info, QWidget *parent)
    : QWidget(parent)
    , m_toolInfo(info)
{
    connect(this, &ToolMoreInfoWidget::signalToMoreInfoPage, this, &ToolMoreInfoWidget::onStateChangedElsewhere);
    connect(this, &ToolMoreInfoWidget::signalServerResponded, this, &ToolMoreInfoWidget::onServerAnswer);
}

ToolMoreInfoWidget::~ToolMoreInfoWidget()
{
    delete ui;
}

void ToolMoreInfoWidget::ensureBuilt()
{
    if (ui)
        return;
    ui = new Ui::ToolMoreInfoWidget;
    ui->setupUi(this);

    m_pLeftWidget = new MoreInfoLeftWidget(this);
    m_pRightTopWidget = new MoreInfoRightTopWidget(this);
    m_pRightBottomWidget = new MoreInfoRightBottomWidget(m_toolInfo.DetailImagesNum, this);
    putIntoHolder(ui->leftWidget, m_pLeftWidget);
    putIntoHolder(ui->rightTopWidget, m_pRightTopWidget);
    putIntoHolder(ui->rightBottomWidget, m_pRightBottomWidget);
    ui->goBackBtn->setContent(tr("Home Page"), QStringLiteral(":/Gearbay/Image/Gearbai/icon/ic_forwardBack.png"),
                              QString());

    connect(ui->goBackBtn, &QAbstractButton::clicked, this, &ToolMoreInfoWidget::signalGoBackToToolDownWidget);
    connect(m_pLeftWidget, &MoreInfoLeftWidget::signalDownload, this, &ToolMoreInfoWidget::signalDownload);
    connect(m_pLeftWidget, &MoreInfoLeftWidget::signalToMainPage, this, &ToolMoreInfoWidget::signalToMainPage);
    connect(m_pLeftWidget, &MoreInfoLeftWidget::signalCover, this, &ToolMoreInfoWidget::signalCover);
    connect(this, &ToolMoreInfoWidget::signalClose, m_pLeftWidget, &MoreInfoLeftWidget::onClose);

    if (m_iToolKey > 0) {
        m_pLeftWidget->setToolInfo(m_toolInfo);
        m_pRightTopWidget->setToolInfo(m_toolInfo);
        m_pRightBottomWidget->setToolInfo(m_toolInfo);
    }
}

void ToolMoreInfoWidget::onStateChangedElsewhere(ToolCurrentState enumState, int iKey)
{
    if (m_pLeftWidget == nullptr && (iKey != m_iToolKey || m_iToolKey <= 0))
        return;
    ensureBuilt();
    m_pLeftWidget->onSubToolsStateChanged(enumState, iKey);
}

void ToolMoreInfoWidget::onServerAnswer(int iMethod, const QMap<int, QString> &mapToolkeyToServerValue)
{
    if (m_pLeftWidget == nullptr && (m_iToolKey <= 0 || !mapToolkeyToServerValue.contains(m_iToolKey)))
        return;
    ensureBuilt();
    m_pLeftWidget->onServerResponded(iMethod, mapToolkeyToServerValue);
}

MoreInfoLeftWidget *ToolMoreInfoWidget::actionPanel()
{
    ensureBuilt();
    return m_pLeftWidget;
}

MoreInfoRightTopWidget *ToolMoreInfoWidget::descriptionWidget()
{
    ensureBuilt();
    return m_pRightTopWidget;
}

MoreInfoRightBottomWidget *ToolMoreInfoWidget::screenshotWidget()
{
    ensureBuilt();
    return m_pRightBottomWidget;
}

void ToolMoreInfoWidget::showEvent(QShowEvent *event)
{
    ensureBuilt();
    // Decoding every screenshot of every page at start-up would cost seconds and megabytes per
    // tool, so a page loads its pictures when it is first shown.
    if (!m_bScreenshotsLoaded) {
        m_bScreenshotsLoaded = true;
        m_pRightBottomWidget->setImages(loadScreenshots(m_toolInfo));
    }
    QWidget::showEvent(event);
}

void ToolMoreInfoWidget::setToolKey(int key)
{
    if (key <= 0)
        return;
    m_iToolKey = key;
    const auto it = ToolCatalog::instance()->findInfo(key);
    if (it != ToolCatalog::instance()->toolInfos().end())
        m_toolInfo = it.value();
    if (!ui)
        return;
    m_pLeftWidget->setToolInfo(m_toolInfo);
    m_pRightTopWidget->setToolInfo(m_toolInfo);
    m_pRightBottomWidget->setToolInfo(m_toolInfo);
}

QStringList ToolMoreInfoWidget::screenshotPaths(const ToolInfo &info, const QString &strAppDir,
                                                unsigned translator)
{
    const QString strName = QString::fromUtf8(info.ToolENName.c_str());
    const QString strFolder = translator == 1 ? QStringLiteral("/CH/") : QStringLiteral("/EN/");
    QStringList listPaths;
    for (int i = 0; i < info.DetailImagesNum; ++i)
        listPaths << strAppDir + "/ToolsFile/DetailImages/" + strName + strFolder + strName + "_"
                + QString::number(i) + ".png";
    return listPaths;
}

QVector<QPixmap> ToolMoreInfoWidget::loadScreenshots(const ToolInfo &info)
{
    QVector<QPixmap> vectImages;
    // Start-up makes the program folder the working directory, as for the catalog's icons.
    const QStringList listPaths = screenshotPaths(info, QDir::currentPath(),
                                                  ConfigureStore::instance()->translator());
    for (const QString &strPath : listPaths)
        vectImages.append(QPixmap(strPath));
    return vectImages;
}

} // namespace gearbay
