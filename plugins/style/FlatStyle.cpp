#include "FlatStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

FlatStyle::FlatStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void FlatStyle::polish(QPalette &palette)
{
    QProxyStyle::polish(palette);
    palette.setColor(QPalette::Highlight, QColor("#FA3239"));
    palette.setColor(QPalette::HighlightedText, QColor("#FFFFFF"));
    palette.setColor(QPalette::Link, QColor("#FA3239"));
}

int FlatStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    switch (metric) {
    case PM_ScrollBarExtent:
        return 8;
    case PM_DefaultFrameWidth:
        return 1;
    case PM_ButtonShiftHorizontal:
    case PM_ButtonShiftVertical:
        return 0;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int FlatStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                         QStyleHintReturn *returnData) const
{
    // Combo popups and menus as plain lists, without Fusion's check marks and shadows.
    if (hint == SH_ComboBox_Popup)
        return 0;
    if (hint == SH_Menu_Scrollable)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void FlatStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    switch (element) {
    case PE_FrameFocusRect:
        // The red buttons and underlined tabs already show where the focus is.
        return;
    case PE_Frame:
    case PE_FrameLineEdit:
    case PE_FrameGroupBox: {
        painter->save();
        painter->setPen(QColor(option->state & State_HasFocus ? "#FA3239" : "#CCCCCC"));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}
