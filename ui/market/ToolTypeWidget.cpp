#include "ToolTypeWidget.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
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

    m_pSearchEdit = new QLineEdit(this);
    m_pSearchEdit->setObjectName("searchEdit");
    m_pSearchEdit->setClearButtonEnabled(true);
    m_pSearchEdit->setFixedSize(260, 28);
    m_pSearchEdit->setStyleSheet(
        "QLineEdit#searchEdit{font-size: 12px;color: #333333;background: #FFFFFF;border: 1px solid #D5D8D8;"
        "border-radius: 14px;padding: 0 8px;}QLineEdit#searchEdit:focus{border: 1px solid #FA3239;}");
    m_pSearchEdit->installEventFilter(this);
    layout->addSpacing(16);
    layout->addWidget(m_pSearchEdit, 0, Qt::AlignVCenter);
    layout->addStretch();
    retranslate();

    connect(m_pSearchEdit, &QLineEdit::textChanged, this, &ToolTypeWidget::signalSearchTextChanged);
}

void ToolTypeWidget::retranslate()
{
    m_pSearchEdit->setPlaceholderText(tr("Search tools (Ctrl+F)"));
    m_pSearchEdit->setAccessibleName(m_pSearchEdit->placeholderText());
    m_pSearchEdit->setToolTip(tr("Search names and introductions; Esc clears"));
}

bool ToolTypeWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pSearchEdit && event->type() == QEvent::FocusIn)
        emit signalSearchFocused();
    if (watched == m_pSearchEdit && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && !m_pSearchEdit->text().isEmpty()) {
        m_pSearchEdit->clear();
        return true;
    }
    return vellum::Widget::eventFilter(watched, event);
}

void ToolTypeWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    vellum::Widget::changeEvent(event);
}

} // namespace gearbay
