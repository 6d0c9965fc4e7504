#pragma once

#include <QFrame>
#include <QPixmap>

namespace Ui {
class DeleteFrame;
}

namespace gearbay {

// The trash target shown at the bottom of the board while a row is dragged.
class DeleteFrame : public QFrame
{
    Q_OBJECT
public:
    explicit DeleteFrame(QWidget *parent = nullptr);
    ~DeleteFrame() override;

    // An empty path takes the default image.
    void setHoverPixmap(const QString &path);
    void setNormalPixmap(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Ui::DeleteFrame *ui;
    QPixmap m_pixmap;
};

} // namespace gearbay
