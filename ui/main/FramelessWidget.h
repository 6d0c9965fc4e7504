#pragma once

#include <QPixmap>
#include <QWidget>

namespace Ui {
class FramelessWidget;
}

namespace gearbay {

// Borderless, translucent base of the main window and the popups: a white body with a soft
// shadow drawn from one image.
class FramelessWidget : public QWidget
{
    Q_OBJECT

public:
    explicit FramelessWidget(QWidget *parent = nullptr);
    ~FramelessWidget() override;

    // Paints the white body and the shadow bands of `shadow` around a widget of the given size.
    static void paintShadow(QPainter &painter, const QPixmap &shadow, const QSize &size);

protected:
    void paintEvent(QPaintEvent *event) override;
    // Enter presses the focused button, as Space does: outside dialogs buttons leave Enter alone.
    void keyPressEvent(QKeyEvent *event) override;

private:
    Ui::FramelessWidget *ui;
    QPixmap m_shadowPixmap;
};

} // namespace gearbay
