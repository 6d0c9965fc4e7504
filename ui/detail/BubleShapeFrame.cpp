#include "BubleShapeFrame.h"

#include "ui_BubleShapeFrame.h"

#include "DetailPixmaps.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>

namespace gearbay {

BubleShapeFrame::BubleShapeFrame(int iImageCount, QWidget *parent)
    : QFrame(parent)
    , ui(new Ui::BubleShapeFrame)
    , m_iImageCount(qMax(0, iImageCount))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("m_pMultiLabelExhibitor"));
    setFixedSize(768, 426);

    for (int i = 0; i < m_iImageCount; ++i) {
        auto *pLabel = new QLabel(ui->displayArea);
        pLabel->setObjectName(QStringLiteral("m_centerLabel%1").arg(i));
        pLabel->setScaledContents(true);
        pLabel->setStyleSheet(QStringLiteral("border:1px solid #E6E6E6;"));
        pLabel->resize(ui->displayArea->size());
        pLabel->move(i * ui->displayArea->width(), 0);
        m_vectLabels.append(pLabel);
    }
    if (m_iImageCount == 0) {
        auto *pLabel = new QLabel(ui->displayArea);
        pLabel->setObjectName(QStringLiteral("m_emptyLabel"));
        pLabel->resize(ui->displayArea->size());
        pLabel->setPixmap(detailPlaceholder(pLabel->size(), tr("No screenshots for this tool")));
    }

    // The tips only depend on the count and the fixed width, so they are laid out once.
    const double x0 = (width() - m_iImageCount * m_iStep) / 2.0;
    for (int i = 0; i < m_iImageCount; ++i)
        m_listTips.append(QPointF(x0 + m_iStep / 2 + m_iStep * i, 425.3));
    if (!m_listTips.isEmpty())
        m_tipPoint = m_listTips.first();

    m_pNextInAnimation = new QPropertyAnimation(this);
    m_pNextOutAnimation = new QPropertyAnimation(this);
    m_pPrevInAnimation = new QPropertyAnimation(this);
    m_pPrevOutAnimation = new QPropertyAnimation(this);
    m_pNextGroup = new QParallelAnimationGroup(this);
    m_pPrevGroup = new QParallelAnimationGroup(this);
    for (QPropertyAnimation *pAnimation :
         { m_pNextInAnimation, m_pNextOutAnimation, m_pPrevInAnimation, m_pPrevOutAnimation }) {
        pAnimation->setPropertyName("pos");
        pAnimation->setDuration(300);
        pAnimation->setEasingCurve(QEasingCurve::OutCubic);
    }
    m_pNextGroup->addAnimation(m_pNextInAnimation);
    m_pNextGroup->addAnimation(m_pNextOutAnimation);
    m_pPrevGroup->addAnimation(m_pPrevInAnimation);
    m_pPrevGroup->addAnimation(m_pPrevOutAnimation);
    updateSlideValues();
}

BubleShapeFrame::~BubleShapeFrame()
{
    delete ui;
}

void BubleShapeFrame::setImages(const QVector<QPixmap> &vectImages)
{
    for (int i = 0; i < m_vectLabels.size(); ++i) {
        QLabel *pLabel = m_vectLabels.at(i);
        const QPixmap pixmap = i < vectImages.size() ? vectImages.at(i) : QPixmap();
        pLabel->setPixmap(pixmap.isNull() ? detailPlaceholder(pLabel->size(), tr("Screenshot not available"))
                                          : pixmap);
    }
}

bool BubleShapeFrame::isSliding() const
{
    return m_pNextGroup->state() == QAbstractAnimation::Running
        || m_pPrevGroup->state() == QAbstractAnimation::Running;
}

void BubleShapeFrame::onSolveButtonClick(int index)
{
    if (index == m_iCurrentIndex || isSliding() || index < 0 || index >= m_vectLabels.size())
        return;
    if (index < m_listTips.size()) {
        m_tipPoint = m_listTips.at(index);
        update();
    }
    emit signalThumbnailIndexChanged(index);
    QLabel *pNew = m_vectLabels.at(index);
    QLabel *pCurrent = m_vectLabels.at(m_iCurrentIndex);
    if (index > m_iCurrentIndex) {
        m_pNextInAnimation->setTargetObject(pNew);
        m_pNextOutAnimation->setTargetObject(pCurrent);
        m_pNextGroup->start();
    } else {
        m_pPrevInAnimation->setTargetObject(pNew);
        m_pPrevOutAnimation->setTargetObject(pCurrent);
        m_pPrevGroup->start();
    }
    m_iCurrentIndex = index;
}

void BubleShapeFrame::updateSlideValues()
{
    const int w = ui->displayArea->width();
    m_pNextInAnimation->setStartValue(QPoint(w, 0));
    m_pNextInAnimation->setEndValue(QPoint(0, 0));
    m_pNextOutAnimation->setStartValue(QPoint(0, 0));
    m_pNextOutAnimation->setEndValue(QPoint(-w, 0));
    m_pPrevInAnimation->setStartValue(QPoint(-w, 0));
    m_pPrevInAnimation->setEndValue(QPoint(0, 0));
    m_pPrevOutAnimation->setStartValue(QPoint(0, 0));
    m_pPrevOutAnimation->setEndValue(QPoint(w, 0));
}

void BubleShapeFrame::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    for (QLabel *pLabel : qAsConst(m_vectLabels))
        pLabel->resize(ui->displayArea->size());
    updateSlideValues();
}

void BubleShapeFrame::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    m_pNextGroup->stop();
    m_pPrevGroup->stop();
    if (!m_listTips.isEmpty())
        m_tipPoint = m_listTips.first();
    emit signalThumbnailIndexChanged(0);
    m_iCurrentIndex = 0;
    for (int i = 0; i < m_vectLabels.size(); ++i)
        m_vectLabels.at(i)->move(i == 0 ? 0 : ui->displayArea->width(), 0);
    update();
}

void BubleShapeFrame::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double h = m_dNotchHalf;
    if (m_listTips.isEmpty()) {
        const double baseY = 425.3 - h;
        // Without screenshots there is nothing to point at: a plain base line.
        painter.setPen(QPen(QColor(204, 204, 204), 1));
        painter.drawLine(QPointF(0, baseY), QPointF(width(), baseY));
        return;
    }
    const double x = m_tipPoint.x();
    const double y = m_tipPoint.y();

    painter.setPen(QPen(QColor(204, 204, 204), 1));
    painter.drawLine(QPointF(0, y - h), QPointF(x - h, y - h));
    painter.drawLine(QPointF(x + h, y - h), QPointF(width(), y - h));

    QPainterPath notch;
    notch.moveTo(x - h, y - h);
    notch.lineTo(x, y);
    notch.lineTo(x + h, y - h);
    notch.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(notch);

    painter.setPen(QPen(QColor(153, 153, 153), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(x - h, y - h), QPointF(x, y));
    painter.drawLine(QPointF(x, y), QPointF(x + h, y - h));
}

} // namespace gearbay
