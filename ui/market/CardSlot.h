#ifndef GEARBAY_CARDSLOT_H
#define GEARBAY_CARDSLOT_H

#include <QLayoutItem>
#include <QPointer>

namespace gearbay {

class SubToolWidget;

// One tool's place in the card grid's flow layout: the size of a card whether or not the card has
// been built, so the layout and the scroll bar always account for the whole catalog. A built card
// follows the slot's geometry; a slot filtered out takes no place and hides its card.
class CardSlot : public QLayoutItem
{
public:
    CardSlot(int iKey, int iIndex);

    int toolKey() const { return m_iKey; }
    int index() const { return m_iIndex; }
    SubToolWidget *card() const { return m_pCard; }
    void setCard(SubToolWidget *card);
    bool isShown() const { return m_bShown; }
    void setShown(bool bShown);

    QSize sizeHint() const override;
    QSize minimumSize() const override;
    QSize maximumSize() const override;
    Qt::Orientations expandingDirections() const override;
    bool isEmpty() const override;
    void setGeometry(const QRect &rect) override;
    QRect geometry() const override;

    static QSize cardSize();

private:
    int m_iKey;
    int m_iIndex;
    bool m_bShown = true;
    QRect m_rect;
    QPointer<SubToolWidget> m_pCard;
};

} // namespace gearbay

#endif
