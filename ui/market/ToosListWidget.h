#ifndef GEARBAY_TOOSLISTWIDGET_H
#define GEARBAY_TOOSLISTWIDGET_H

#include "ToolCurrentState.h"

#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>

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

    Ui::ToosListWidget *ui;
    ToolsWiget *m_pToolsWidget;
};

} // namespace gearbay

#endif
