#include "CardSlot.h"

#include "SubToolWidget.h"

namespace gearbay {

CardSlot::CardSlot(int iKey, int iIndex)
    : m_iKey(iKey)
    , m_iIndex(iIndex)
{
}

QSize CardSlot::cardSize()
{
    return QSize(234, 254);
}

void CardSlot::setCard(SubToolWidget *card)
{
    m_pCard = card;
    if (card == nullptr)
        return;
    if (m_rect.isValid())
        card->setGeometry(m_rect);
    card->setVisible(m_bShown);
}

void CardSlot::setShown(bool bShown)
{
    m_bShown = bShown;
    if (m_pCard)
        m_pCard->setVisible(bShown);
}

QSize CardSlot::sizeHint() const
{
    return cardSize();
}

QSize CardSlot::minimumSize() const
{
    return cardSize();
}

QSize CardSlot::maximumSize() const
{
    return cardSize();
}

Qt::Orientations CardSlot::expandingDirections() const
{
    return {};
}

bool CardSlot::isEmpty() const
{
    return !m_bShown;
}

void CardSlot::setGeometry(const QRect &rect)
{
    m_rect = rect;
    if (m_pCard)
        m_pCard->setGeometry(rect);
}

QRect CardSlot::geometry() const
{
    return m_rect;
}

} // namespace gearbay
