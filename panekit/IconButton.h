#pragma once

#include <QPixmap>
#include <QPushButton>

namespace vellum {

// A button that shows one picture scaled over its whole face (banner pictures, screenshots).
// Without a picture it draws as a plain push button.
class IconButton : public QPushButton
{
    Q_OBJECT
public:
    explicit IconButton(QWidget *parent = nullptr);

    void SetPixmap(const QPixmap &pixmap);
    QPixmap pixmap() const { return m_pixmap; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_pixmap;
};

} // namespace vellum
