#include "ToolTypeWidget.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace gearbay {

ToolTypeWidget::ToolTypeWidget(QWidget *parent)
    : vellum::Widget(parent)
{
    setFixedHeight(40);
    // Cards scroll underneath the bar, so it must not be see-through.
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    auto *layout = new QHBoxLayout(this);
    layout->setAlignment(Qt::AlignLeft);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    m_pAllBtn = new QPushButton(QIcon(":/Gearbay/Image/Gearbai/icon/ic_all_sel.png"), tr("All Tool"), this);
    m_pAllBtn->setObjectName("allToolBtn");
    m_pAllBtn->setIconSize(QSize(24, 24));
    m_pAllBtn->setStyleSheet(
        "font-size: 12px;color: #FA3239;letter-spacing: 0;line-height: 20px;background: transparent;"
        "width:108px;height:40px;border-top:2px solid #fa3239;border-left:1px solid #EBEBEB;"
        "border-right:1px solid #EBEBEB;border-bottom:none;");
    layout->addWidget(m_pAllBtn);
}

} // namespace gearbay
