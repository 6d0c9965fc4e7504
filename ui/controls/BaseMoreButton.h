#pragma once

#include <QWidget>

class QPushButton;

namespace gearbay {

// A "more" link: a text followed by a small arrow, both clickable, reported as one click.
class BaseMoreButton : public QWidget
{
    Q_OBJECT
public:
    explicit BaseMoreButton(QWidget *parent = nullptr);

    void setTextAndIcon(const QString &strText, const QString &strIconPath);
    void setText(const QString &strText);

signals:
    void signalClicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int textWidth() const;

    QPushButton *m_pMoreBtn = nullptr;
    QPushButton *m_pMoreLabelBtn = nullptr;
    QWidget *m_pBtnWidget = nullptr;
};

} // namespace gearbay
