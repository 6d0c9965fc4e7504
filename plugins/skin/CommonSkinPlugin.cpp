#include "CommonSkinPlugin.h"

#include <QApplication>
#include <QColor>
#include <QPalette>

CommonSkinPlugin::CommonSkinPlugin(QObject *parent)
    : QObject(parent)
{
    // Loading the skin is its whole effect: the colours every widget falls back on when no style
    // sheet names one. Only a running widget application has a palette to set.
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr)
        return;
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, QColor("#FFFFFF"));
    palette.setColor(QPalette::Base, QColor("#FFFFFF"));
    palette.setColor(QPalette::AlternateBase, QColor("#F1F1F1"));
    palette.setColor(QPalette::WindowText, QColor("#333333"));
    palette.setColor(QPalette::Text, QColor("#333333"));
    palette.setColor(QPalette::ButtonText, QColor("#333333"));
    palette.setColor(QPalette::Button, QColor("#FFFFFF"));
    palette.setColor(QPalette::Highlight, QColor("#FA3239"));
    palette.setColor(QPalette::HighlightedText, QColor("#FFFFFF"));
    palette.setColor(QPalette::ToolTipBase, QColor("#FFFFFF"));
    palette.setColor(QPalette::ToolTipText, QColor("#333333"));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor("#999999"));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor("#999999"));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor("#CCCCCC"));
    QApplication::setPalette(palette);
}

QStringList CommonSkinPlugin::keys() const
{
    return {QStringLiteral("CommonSkinPlugin")};
}
