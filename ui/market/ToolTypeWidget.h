#ifndef GEARBAY_TOOLTYPEWIDGET_H
#define GEARBAY_TOOLTYPEWIDGET_H

#include "Widget.h"

class QLineEdit;
class QPushButton;

namespace gearbay {

// The bar of tool types over the card grid; the catalog has one group, "All Tool". Beside it, the
// search field that filters the grid as the user types.
class ToolTypeWidget : public vellum::Widget
{
    Q_OBJECT

public:
    explicit ToolTypeWidget(QWidget *parent = nullptr);

    QLineEdit *searchEdit() const { return m_pSearchEdit; }

signals:
    void signalSearchTextChanged(const QString &strText);
    void signalSearchFocused();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QPushButton *m_pAllBtn;
    QLineEdit *m_pSearchEdit;
};

} // namespace gearbay

#endif
