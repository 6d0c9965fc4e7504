#ifndef GEARBAY_TOOLTYPEWIDGET_H
#define GEARBAY_TOOLTYPEWIDGET_H

#include "Widget.h"

class QPushButton;

namespace gearbay {

// The bar of tool types over the card grid; the catalog has one group, "All Tool".
class ToolTypeWidget : public vellum::Widget
{
    Q_OBJECT

public:
    explicit ToolTypeWidget(QWidget *parent = nullptr);

private:
    QPushButton *m_pAllBtn;
};

} // namespace gearbay

#endif
