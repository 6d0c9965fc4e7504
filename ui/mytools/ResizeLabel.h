#pragma once

#include <QLabel>

namespace gearbay {

// A label that tells its owner its new size, so a row can grow with a wrapped text.
class ResizeLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ResizeLabel(QWidget *parent = nullptr);

signals:
    void signalResized(QSize size);

protected:
    void resizeEvent(QResizeEvent *event) override;
};

} // namespace gearbay
