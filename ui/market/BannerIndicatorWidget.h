#ifndef GEARBAY_BANNERINDICATORWIDGET_H
#define GEARBAY_BANNERINDICATORWIDGET_H

#include <QString>
#include <QWidget>

namespace Ui {
class BannerIndicatorWidget;
}

namespace gearbay {

// One small preview of the banner's side column; hovering it shows the tool's large picture.
class BannerIndicatorWidget : public QWidget
{
    Q_OBJECT

public:
    explicit BannerIndicatorWidget(QWidget *parent = nullptr);
    ~BannerIndicatorWidget() override;

    // Also names the preview for screen readers after its tool.
    void setToolKey(int iKey);
    int toolKey() const { return m_iKey; }
    // Loads the picture into the button; an unreadable file shows the placeholder.
    void setImagePath(const QString &strPath);
    QString imagePath() const { return m_strImagePath; }

signals:
    void signalShowMaxPic(int iKey);
    void signalClicked(int iKey);

protected:
    void enterEvent(QEvent *event) override;

private:
    Ui::BannerIndicatorWidget *ui;
    QString m_strImagePath;
    int m_iKey = -1;
};

} // namespace gearbay

#endif
