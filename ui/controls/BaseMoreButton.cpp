#include "BaseMoreButton.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>

namespace gearbay {

BaseMoreButton::BaseMoreButton(QWidget *parent)
    : QWidget(parent)
{
    QFont buttonFont(QStringLiteral("Microsoft YaHei"), 9);
    buttonFont.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    setFont(buttonFont);

    m_pBtnWidget = new QWidget(this);
    m_pBtnWidget->setObjectName(QStringLiteral("m_pBtnWidget"));
    m_pMoreLabelBtn = new QPushButton(m_pBtnWidget);
    m_pMoreLabelBtn->setObjectName(QStringLiteral("m_pMoreLabelBtn"));
    m_pMoreBtn = new QPushButton(m_pBtnWidget);
    m_pMoreBtn->setObjectName(QStringLiteral("m_pMoreBtn"));
    m_pMoreBtn->setFixedSize(12, 14);

    auto *pLayout = new QHBoxLayout(m_pBtnWidget);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pMoreLabelBtn);
    pLayout->addWidget(m_pMoreBtn);

    connect(m_pMoreLabelBtn, &QPushButton::clicked, this, &BaseMoreButton::signalClicked);
    connect(m_pMoreBtn, &QPushButton::clicked, this, &BaseMoreButton::signalClicked);
}

void BaseMoreButton::setTextAndIcon(const QString &strText, const QString &strIconPath)
{
    m_pMoreBtn->setIcon(QIcon(strIconPath));
    setText(strText);
}

void BaseMoreButton::setText(const QString &strText)
{
    m_pMoreLabelBtn->setText(strText);
    m_pBtnWidget->resize(textWidth() + 18, 17);
}

int BaseMoreButton::textWidth() const
{
    return m_pMoreLabelBtn->fontMetrics().horizontalAdvance(m_pMoreLabelBtn->text());
}

void BaseMoreButton::paintEvent(QPaintEvent *)
{
    // Draw what the style sheet gives a plain QWidget, which QWidget itself does not.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);

    const int iWidth = textWidth();
    const QSize labelSize(iWidth + 8, 17);
    const QSize widgetSize(iWidth + 20, 17);
    if (m_pMoreLabelBtn->size() != labelSize || m_pMoreLabelBtn->minimumSize() != labelSize)
        m_pMoreLabelBtn->setFixedSize(labelSize);
    if (m_pBtnWidget->size() != widgetSize || m_pBtnWidget->minimumSize() != widgetSize)
        m_pBtnWidget->setFixedSize(widgetSize);
}

} // namespace gearbay
