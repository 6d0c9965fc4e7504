#include "MoreInfoRightBottomWidget.h"

#include "ui_MoreInfoRightBottomWidget.h"

#include "BubleShapeFrame.h"
#include "ExhibitorThumbnail.h"

#include <QButtonGroup>

namespace gearbay {

namespace {

const int kThumbWidth = 112;
const int kThumbHeight = 72;

QString thumbnailStyle(const QString &strName, const QString &strBackground)
{
    return QStringLiteral("QAbstractButton#%1             {                 background:%2;             }")
        .arg(strName, strBackground);
}

} // namespace

MoreInfoRightBottomWidget::MoreInfoRightBottomWidget(int iImageCount, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::MoreInfoRightBottomWidget)
    , m_iImageCount(qBound(0, iImageCount, kMaxImages))
{
    ui->setupUi(this);
    setFixedSize(768, 486);
    m_pMultiLabelExhibitor = new BubleShapeFrame(m_iImageCount, this);
    m_pMultiLabelExhibitor->move(0, 0);
    m_pButtonGroup = new QButtonGroup(this);
    m_pButtonGroup->setExclusive(true);

    // The row sits centred under the notch tips, overlapping the notch by its margin.
    const int iRowWidth = m_iImageCount * kThumbWidth;
    ui->thumbnailFrame->setMinimumSize(0, 0);
    ui->thumbnailFrame->setGeometry((width() - iRowWidth) / 2, 414, iRowWidth, kThumbHeight);
    ui->thumbnailFrame->setVisible(m_iImageCount > 0);
    for (int i = 0; i < m_iImageCount; ++i) {
        auto *pThumbnail = new ExhibitorThumbnail(ui->thumbnailFrame);
        pThumbnail->setCheckable(true);
        pThumbnail->setAutoExclusive(true);
        pThumbnail->setObjectName(QStringLiteral("thumbnail%1").arg(i));
        pThumbnail->setGeometry(i * kThumbWidth, 0, kThumbWidth, kThumbHeight);
        pThumbnail->setStyleSheet(thumbnailStyle(pThumbnail->objectName(), QStringLiteral("transparent")));
        m_pButtonGroup->addButton(pThumbnail, i);
        m_vectThumbnails.append(pThumbnail);
    }
    // The notch is drawn over the thumbnails' top margin; the frame lets clicks through to them.
    m_pMultiLabelExhibitor->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pMultiLabelExhibitor->raise();

    connect(m_pButtonGroup, &QButtonGroup::idClicked, m_pMultiLabelExhibitor,
            &BubleShapeFrame::onSolveButtonClick);
    connect(m_pMultiLabelExhibitor, &BubleShapeFrame::signalThumbnailIndexChanged, this,
            &MoreInfoRightBottomWidget::onThumbnailIndexChanged);
}

MoreInfoRightBottomWidget::~MoreInfoRightBottomWidget()
{
    delete ui;
}

void MoreInfoRightBottomWidget::setImages(const QVector<QPixmap> &vectImages)
{
    if (vectImages.isEmpty())
        return;
    m_pMultiLabelExhibitor->setImages(vectImages);
    for (int i = 0; i < m_vectThumbnails.size() && i < vectImages.size(); ++i)
        m_vectThumbnails.at(i)->setImage(vectImages.at(i));
    onThumbnailIndexChanged(0);
}

void MoreInfoRightBottomWidget::setToolInfo(const ToolInfo &info)
{
    m_toolInfo = info;
}

void MoreInfoRightBottomWidget::onThumbnailIndexChanged(int index)
{
    for (int i = 0; i < m_vectThumbnails.size(); ++i) {
        ExhibitorThumbnail *pThumbnail = m_vectThumbnails.at(i);
        pThumbnail->setStyleSheet(thumbnailStyle(pThumbnail->objectName(),
                                                 i == index ? QStringLiteral("#E0E0E0")
                                                            : QStringLiteral("transparent")));
        if (i == index)
            pThumbnail->setChecked(true);
    }
}

} // namespace gearbay
