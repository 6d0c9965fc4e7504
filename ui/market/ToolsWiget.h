#ifndef GEARBAY_TOOLSWIGET_H
#define GEARBAY_TOOLSWIGET_H

#include "ToolCurrentState.h"

#include <QHash>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QVector>
#include <QWidget>

class QScrollArea;

namespace Ui {
class ToolsWiget;
}

namespace vellum {
class FlowLayout;
}

namespace gearbay {

class CardSlot;
class SubToolWidget;

// The grid of tool cards, one per catalog tool in ascending key order, wrapped by a flow layout.
// The layout holds a slot of the card's fixed size per tool, so the grid is as tall as the whole
// catalog from the start; a card is built when its slot first comes near the visible part of the
// scroll area, or when an answer or another page's report first names its tool (its progress poll
// drives the other pages, so a busy tool always has its card). Beyond a few hundred cards, idle ones
// far from the view are given up and built again when needed. A filter hides slots; it never
// rebuilds cards.
class ToolsWiget : public QWidget
{
    Q_OBJECT

public:
    explicit ToolsWiget(QWidget *parent = nullptr);
    ~ToolsWiget() override;

    // The cards built and kept, in the order they were built.
    const QVector<SubToolWidget *> &cards() const { return m_vectCards; }
    // The tool's card, built if it was not yet; null for a key without a card.
    SubToolWidget *card(int iKey);
    int toolCount() const { return m_vectSlots.size(); }

    // Shows only the tools whose names or introductions (either language) contain strText, compared
    // without case and width differences; an empty text shows all. Returns the number shown.
    int setFilter(const QString &strText);
    int shownCount() const { return m_iShown; }
    // Prepares the texts searches compare with, so the first keystroke finds them ready.
    void prepareSearch();
    // The form both sides of a comparison are brought to.
    static QString searchForm(const QString &strText);

signals:
    void signalShowMoreInfoWidget(int iToolkey);
    void signalDownload(int method, QVector<int> toolKeys);
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void signalClose();
    void signalCover(bool bCover);
    void signalToMainPage(ToolCurrentState enumState, int iKey);
    void signalSubToolsStateChanged(ToolCurrentState enumType, int iKey);
    void signalWaitingToolsStartDownload(int iToolkey);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    SubToolWidget *buildCard(CardSlot *slot);
    // Connections and per-card setup of a newly built card; every card passes through here.
    void prepareCard(SubToolWidget *card);
    // Builds the cards of the shown slots within a viewport's height of what the user sees.
    void buildCardsNearView();
    void scheduleBuild();
    // Past a bound, idle cards far from the view are given up; they are built again when needed.
    void recycleCardsFarFrom(const QRect &area);
    void onServerResponded(int iMethod, const QMap<int, QString> &mapToolkeyToServerValue);
    void onSubToolsStateChanged(ToolCurrentState enumType, int iKey);
    void onWaitingToolsStartDownload(int iKey);
    void onClose();

    Ui::ToolsWiget *ui;
    vellum::FlowLayout *m_pLayout;
    QVector<CardSlot *> m_vectSlots; // owned by the layout, in key order
    QHash<int, CardSlot *> m_hashSlots;
    QVector<SubToolWidget *> m_vectCards;
    QVector<QString> m_vectSearchTexts; // filled on the first search
    QString m_strFilter;
    int m_iShown = 0;
    bool m_bBuildPending = false;
    QPointer<QScrollArea> m_pScrollArea;
    // The cards' parent, over the whole grid and outside the layout: a card shown in a widget with a
    // layout would make that layout place all the catalog's slots again.
    QWidget *m_pCardLayer;
};

} // namespace gearbay

#endif
