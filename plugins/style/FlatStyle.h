#pragma once

#include <QProxyStyle>

// Fusion without its bevels: flat frames, no focus rectangles, thin scroll bars, the red accent.
class FlatStyle : public QProxyStyle
{
    Q_OBJECT

public:
    FlatStyle();

    void polish(QPalette &palette) override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
