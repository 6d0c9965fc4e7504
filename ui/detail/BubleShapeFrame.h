#pragma once

#include <QFrame>
#include <QList>
#include <QPixmap>
#include <QPointF>
#include <QVector>

class QLabel;
class QParallelAnimationGroup;
class QPropertyAnimation;

namespace Ui {
class BubleShapeFrame;
}

namespace gearbay {

// The large screenshot view of a detail page: one screenshot at a time, sliding sideways to the
// chosen one, in a frame whose lower edge has a notch pointing at the chosen thumbnail.
class BubleShapeFrame : public QFrame
{
    Q_OBJECT

public:
    BubleShapeFrame(int iImageCount, QWidget *parent = nullptr);
    ~BubleShapeFrame() override;

    // Screenshot i goes to label i; a null pixmap shows a placeholder.
    void setImages(const QVector<QPixmap> &vectImages);
    int currentIndex() const { return m_iCurrentIndex; }
    QPointF notchTip() const { return m_tipPoint; }
    const QList<QPointF> &notchTips() const { return m_listTips; }
    bool isSliding() const;

signals:
    void signalThumbnailIndexChanged(int index);

public slots:
    void onSolveButtonClick(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void updateSlideValues();

    Ui::BubleShapeFrame *ui;
    int m_iImageCount;
    int m_iCurrentIndex = 0;
    int m_iStep = 112;
    QPointF m_tipPoint;
    QList<QPointF> m_listTips;
    QVector<QLabel *> m_vectLabels;
    QPropertyAnimation *m_pNextInAnimation;
    QPropertyAnimation *m_pNextOutAnimation;
    QPropertyAnimation *m_pPrevInAnimation;
    QPropertyAnimation *m_pPrevOutAnimation;
    QParallelAnimationGroup *m_pNextGroup;
    QParallelAnimationGroup *m_pPrevGroup;
    double m_dNotchHalf = 11.3;
};

} // namespace gearbay
