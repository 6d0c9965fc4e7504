#ifndef GEARBAY_TOOLSWIGET_H
#define GEARBAY_TOOLSWIGET_H

#include "ToolCurrentState.h"

#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>

namespace Ui {
class ToolsWiget;
}

namespace gearbay {

class SubToolWidget;

// The grid of tool cards, one per catalog tool in ascending key order, wrapped by a flow layout.
class ToolsWiget : public QWidget
{
    Q_OBJECT

public:
    explicit ToolsWiget(QWidget *parent = nullptr);
    ~ToolsWiget() override;

    const QVector<SubToolWidget *> &cards() const { return m_vectCards; }

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
    Ui::ToolsWiget *ui;
    QVector<SubToolWidget *> m_vectCards;
};

} // namespace gearbay

#endif
