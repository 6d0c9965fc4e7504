#pragma once

#include "ToolCurrentState.h"

#include <QGraphicsScene>
#include <QList>
#include <QMap>
#include <QString>
#include <QVector>

namespace gearbay {

class DroppableProxyWidget;
class DownloadedSubToolWidget;
struct ToolInfo;

// A vertical list of tool rows in a graphics scene, shared by the installed tools board and the
// update list: keeps the rows in display order, lays them out, and turns the rows' requests into
// requests for the download server.
class ToolManageScene : public QGraphicsScene
{
    Q_OBJECT

public:
    explicit ToolManageScene(QObject *parent = nullptr);

    virtual void addTool(const ToolInfo &info) = 0;

    bool contains(int iKey) const;
    int extraHeightBefore(int index) const;
    // Every row at its place of the list, without animation.
    void relayout();
    int rowCount() const { return m_listProxy.size(); }
    // Tool keys top to bottom.
    QVector<int> toolKeys() const;
    DownloadedSubToolWidget *row(int iKey) const;

signals:
    void signalSubToolsRequest(int method, QVector<int> toolKeys);
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void signalSubToolsStateChanged(gearbay::ToolCurrentState enumType, int iKey);
    void signalCover(bool cover);
    void signalWaitingToolsStartDownload(int iToolkey);

public slots:
    virtual void onToolStateChanged(gearbay::ToolCurrentState enumType, int iKey);
    void onUpdateTool(int iToolkey);
    void onCancelUpdateTool(int iToolkey);
    void onReupdateTool(int iToolkey);
    void onRequestDownloadRate(int iToolkey);
    void onViewResized();

protected:
    int indexOfKey(int iKey) const;
    // The y position of the row at index in a settled list.
    int slotY(int index) const;
    // Wraps a new row into an item, appends it below the others and keeps the totals.
    DroppableProxyWidget *appendRow(DownloadedSubToolWidget *row, bool bDraggable);
    // Takes the row out of the list and the scene and deletes it; keeps the totals.
    void removeRow(int index);

    QList<DroppableProxyWidget *> m_listProxy;
    int m_iContentHeight = 0;
    int m_iExtraHeight = 0;
};

} // namespace gearbay
