#pragma once

#include <QColor>
#include <QFont>
#include <QProgressBar>

namespace gearbay {

// The rounded progress bar of cards, rows, the detail page and the self-update dialog. Owners set
// the colours, mode and text members directly and then call update().
class ProgressBar : public QProgressBar
{
    Q_OBJECT
public:
    explicit ProgressBar(QWidget *parent = nullptr);

    void resetFont();

    QColor m_chunkColor;
    QColor m_backColor;
    QFont m_font; // only its pixel size is used: it places the text vertically
    QString m_strText;
    int m_iMode = 0; // 0 shows the percentage; otherwise (1 failed, 2 waiting) m_strText

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace gearbay
