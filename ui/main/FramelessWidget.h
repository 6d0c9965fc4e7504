#pragma once

#include <QPixmap>
#include <QWidget>

namespace Ui {
class FramelessWidget;
}

namespace gearbay {

// Borderless base of the main window and the popups: a white body with a soft shadow drawn from
// one image where the window system blends translucent windows, a thin plain border where not.
class FramelessWidget : public QWidget
{
    Q_OBJECT

public:
    explicit FramelessWidget(QWidget *parent = nullptr);
    ~FramelessWidget() override;

    // Paints the white body and the shadow bands of `shadow` around a widget of the given size, or
    // without bShadow a white body with a thin border over the whole size.
    static void paintShadow(QPainter &painter, const QPixmap &shadow, const QSize &size, bool bShadow = true);
    // Makes `widget` translucent when the window system composites; returns whether it did. Must be
    // called before the widget's window is created.
    static bool setUpShadow(QWidget *widget);

protected:
    void paintEvent(QPaintEvent *event) override;
    // Enter presses the focused button, as Space does: outside dialogs buttons leave Enter alone.
    void keyPressEvent(QKeyEvent *event) override;

private:
    Ui::FramelessWidget *ui;
    QPixmap m_shadowPixmap;
    bool m_bShadow = false;
};

} // namespace gearbay
