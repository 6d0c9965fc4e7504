#ifndef GEARBAY_TOOLINTROPICTUREWIDGET_H
#define GEARBAY_TOOLINTROPICTUREWIDGET_H

#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>

class QPushButton;
class QTimer;

namespace Ui {
class ToolIntroPictureWidget;
}

namespace gearbay {

class BannerIndicatorWidget;

// The market page's banner: a large tool picture that rotates every five seconds beside a column of
// three previews; a click on either opens the tool's detail page.
class ToolIntroPictureWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ToolIntroPictureWidget(QWidget *parent = nullptr);
    ~ToolIntroPictureWidget() override;

signals:
    void signalClicked(int iKey);

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void findImages();
    void buildPreviews();
    void showMaxPicture(int iKey);
    void onShowMaxPic(int iKey);
    void onRotate();
    void onSwitch();

    Ui::ToolIntroPictureWidget *ui;
    QMap<int, QString> m_mapMinPics;
    QMap<int, QString> m_mapMaxPics;
    // Entry of m_mapMinPics that the next preview to be filled takes.
    QMap<int, QString>::const_iterator m_itNextMin;
    QPushButton *m_pSwitchBtn = nullptr;
    QVector<BannerIndicatorWidget *> m_vectIndicators;
    int m_iShownKey = -1;
    QTimer *m_pTimer = nullptr;
};

} // namespace gearbay

#endif
