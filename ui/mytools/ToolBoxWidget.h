#pragma once

#include "ToolCurrentState.h"

#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>

class QLabel;
class QTimer;

namespace Ui {
class ToolBoxWidget;
}

namespace gearbay {

class DownloadToolsWidget;
class TipFrame;
class ToolDownloadedScene;
class ToolUpdateScene;
class UpdateToolsWidget;

// The "My Tools" page: the installed tools board and the update list in two tabs, with a counter
// of updatable tools on the second tab. Relays requests, answers and tool states between the main
// window and both lists.
class ToolBoxWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ToolBoxWidget(QWidget *parent = nullptr);
    ~ToolBoxWidget() override;

    // Tool key -> 0-based place on the installed tools board.
    QMap<int, int> toolOrderMap() const;
    // The board's order into the catalog's ListOrder, and the state list written.
    void writeToolOrder();
    void loadInstalledTools();
    void refreshUpdateNum();

    ToolDownloadedScene *downloadedScene() const { return m_pDownloadedScene; }
    ToolUpdateScene *updateScene() const { return m_pUpdateScene; }
    DownloadToolsWidget *downloadToolsWidget() const { return m_pDownloadToolsWidget; }
    UpdateToolsWidget *updateToolsWidget() const { return m_pUpdateToolsWidget; }

signals:
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void signalSubToolsRequest(int method, QVector<int> toolKeys);
    void signalSubToolsStateChanged(gearbay::ToolCurrentState enumType, int iKey);
    void signalCloseTool();
    void signalAllToolUpgraded();
    void signalResized();
    void signalCover(bool cover);
    void signalWaitingToolsStartDownload(int iToolkey);

public slots:
    void onShowToolBoxWidget();
    void onSubToolsStateChanged(gearbay::ToolCurrentState enumType, int iKey);
    void onTabChanged(int index);
    void onToolDeleted(int iToolKey);
    void onToolUpgradeCompleted(int iToolKey);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    Ui::ToolBoxWidget *ui;
    DownloadToolsWidget *m_pDownloadToolsWidget = nullptr;
    UpdateToolsWidget *m_pUpdateToolsWidget = nullptr;
    ToolDownloadedScene *m_pDownloadedScene = nullptr;
    ToolUpdateScene *m_pUpdateScene = nullptr;
    QLabel *m_pUpdateNumLabel = nullptr;
    QLabel *m_pLinelabel = nullptr;
    TipFrame *m_pTipFrame = nullptr;
    int m_iUpdateNum = 0;
    QTimer *m_pOrderSaveTimer = nullptr;
};

} // namespace gearbay
