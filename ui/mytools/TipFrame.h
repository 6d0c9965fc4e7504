#pragma once

#include <QFrame>

namespace Ui {
class TipFrame;
}

namespace gearbay {

// The hint "Drag to sort or delete" in the top right corner of the board.
class TipFrame : public QFrame
{
    Q_OBJECT
public:
    explicit TipFrame(QWidget *parent = nullptr);
    ~TipFrame() override;

signals:
    void signalResized(QSize size);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    Ui::TipFrame *ui;
};

} // namespace gearbay
