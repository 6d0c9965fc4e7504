#ifndef GEARBAY_TOOSLISTWIDGET_H
#define GEARBAY_TOOSLISTWIDGET_H

#include "ToolCurrentState.h"

#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>

class QLabel;

namespace Ui {
class ToosListWidget;
}

namespace gearbay {

class ToolsWiget;

// The stacked holder around the card grid; it only relays the grid's signals.
class ToosListWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ToosListWidget(QWidget *parent = nullptr);
    ~ToosListWidget() override;

    ToolsWiget *toolsWidget() const { return m_pToolsWidget; }
    // Filters the grid (see ToolsWiget::setFilter); no match shows a line saying so instead.
    void setFilter(const QString &strText);

signals:
    void signalShowMoreInfoWidget(int iToolkey);
    void signalDownload(int method, QVector<int> toolKeys);
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void signalClose();
    void signalCover(bool bCover);
    void signalToMainPage(ToolCurrentState enumState, int iKey);
    void signalSubToolsStateChanged(ToolCurrentState enumType, int iKey);
    void signalWaitingToolsStartDownload(int iToolkey);

private:
    // A catalog without tools shows a picture and a line instead of an empty grid.
    void showEmptyState();
    void buildNoMatchPage();

    Ui::ToosListWidget *ui;
    ToolsWiget *m_pToolsWidget;
    QWidget *m_pNoMatchPage = nullptr;
    QLabel *m_pNoMatchLabel = nullptr;
};

} // namespace gearbay

#endif
