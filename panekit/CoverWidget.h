#pragma once

#include <QColor>
#include <QWidget>

namespace vellum {

// A layer laid over a whole window while a modal message or a transaction is under way:
// the black look dims the window, the transparent look only swallows the mouse.
// It follows the size of its parent; the owner shows, raises, hides and lowers it.
class CoverWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CoverWidget(QWidget *parent = nullptr);

    void setBlackCover();
    void setTransactionCover();
    bool isBlackCover() const { return m_bBlack; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void fitParent();

    bool m_bBlack = true;
};

} // namespace vellum
