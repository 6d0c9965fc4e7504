#pragma once

#include <QPixmap>
#include <QVector>
#include <QWidget>

#include "ToolInfo.h"

class QButtonGroup;

namespace Ui {
class MoreInfoRightBottomWidget;
}

namespace gearbay {

class BubleShapeFrame;
class ExhibitorThumbnail;

// The screenshot strip of a detail page: the large sliding view above a row of thumbnails.
class MoreInfoRightBottomWidget : public QWidget
{
    Q_OBJECT

public:
    // More screenshots than fit side by side under the view are not shown.
    static constexpr int kMaxImages = 6;

    MoreInfoRightBottomWidget(int iImageCount, QWidget *parent = nullptr);
    ~MoreInfoRightBottomWidget() override;

    void setImages(const QVector<QPixmap> &vectImages);
    void setToolInfo(const ToolInfo &info);
    BubleShapeFrame *exhibitor() const { return m_pMultiLabelExhibitor; }
    const QVector<ExhibitorThumbnail *> &thumbnails() const { return m_vectThumbnails; }

private slots:
    void onThumbnailIndexChanged(int index);

private:
    Ui::MoreInfoRightBottomWidget *ui;
    BubleShapeFrame *m_pMultiLabelExhibitor;
    QVector<ExhibitorThumbnail *> m_vectThumbnails;
    QButtonGroup *m_pButtonGroup;
    int m_iImageCount;
    ToolInfo m_toolInfo;
};

} // namespace gearbay
