#pragma once

#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>
#include "ToolCurrentState.h"

namespace Ui {
class ToolBoxWidget;
}

namespace gearbay {

// The "My Tools" page: the installed tools board and the update list in two tabs.
class ToolBoxWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ToolBoxWidget(QWidget *parent = nullptr);
    ~ToolBoxWidget() override;

    // Tool key -> 0-based place on the installed tools board.
    QMap<int, int> toolOrderMap() const;

signals:
    void signalServerResponded(int method, QMap<int,QString> toolkeyToServerValue);
    void signalSubToolsRequest(int method, QVector<int> toolKeys);
    void signalSubToolsStateChanged(ToolCurrentState enumType, int iKey);
    void signalCloseTool();
    void signalAllToolUpgraded();
    void signalResized();
    void signalCover(bool cover);
    void signalWaitingToolsStartDownload(int iToolkey);

public slots:
    void onShowToolBoxWidget();
    void onSubToolsStateChanged(ToolCurrentState enumType, int iKey);
    void onTabChanged(int index);
    void onToolDeleted(int iToolKey);
    void onToolUpgradeCompleted(int iToolKey);

private:
    Ui::ToolBoxWidget *ui;
};

} // namespace gearbay
