#pragma once

#include <QLabel>

namespace gearbay {

// A label for one-line texts of unknown length: long ones are cut with an ellipsis.
class BreviaryLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    // Shown whole when narrower than 416 pixels in the label's font, else elided to 374 pixels.
    void setBreviaryText(const QString &strText);
};

} // namespace gearbay
