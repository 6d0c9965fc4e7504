#pragma once

#include "ToolCurrentState.h"
#include "ToolLaunch.h"
#include "UpdateState.h"

#include <QMap>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QTimer;

namespace Ui {
class DownloadedSubToolWidget;
}

namespace gearbay {

class DownloadPreCheck;
class ResizeLabel;
struct ToolInfo;

// One installed tool as a row of the My Tools page, on the board and in the update list: icon,
// name, version, the update notes, and the open, upgrade, cancel and retry actions with the
// update's progress. Requests travel up as signals; server answers come back through
// onSolveServerResponse.
class DownloadedSubToolWidget : public QWidget
{
    Q_OBJECT

public:
    explicit DownloadedSubToolWidget(QWidget *parent = nullptr);
    ~DownloadedSubToolWidget() override;

    void setToolInfo(const ToolInfo &info);
    int toolKey() const { return m_iToolKey; }
    void setToolKey(int iKey) { m_iToolKey = iKey; }
    void setUpdateState(UpdateState emState);
    UpdateState updateState() const { return m_emState; }
    void onToolStateChanged(ToolCurrentState emState);
    void setDragging(bool bDragging);
    // Whether the row point lies on one of the row's own controls (the board passes such clicks on).
    bool isOverControl(const QPoint &point) const;
    // An update is under way, queued or failed.
    bool isBusy() const;
    bool isChecked() const;
    // 0 unchecks, 2 checks, anything else does nothing.
    void setCheckState(int state);
    // The update list never offers "open".
    void hideOpenButton();
    QString toolName() const { return m_strToolName; }

signals:
    void signalUpdateTool(int iKey);
    void signalCancelUpdateTool(int iKey);
    void signalRequestDownloadRate(int iKey);
    void signalReupdateTool(int iKey);
    void signalCheckBoxStateChanged(int iState);
    void signalUpgradeCompleted(int iKey);
    void signalCover(bool cover);
    void signalResized(QSize newSize);
    // Keyboard twins of dragging on the board: Ctrl+Up/Down (iStep -1/+1) and Delete.
    void signalMoveRequested(int iKey, int iStep);
    void signalDeleteRequested(int iKey);

public slots:
    void onSetUpdatedRate(int iKey, int iRate);
    void onSetUpdateState(int iKey, gearbay::UpdateState emState);
    void onSetCheckBoxVisible(bool bVisible);
    void onSolveServerResponse(int method, QMap<int, QString> toolkeyToServerValue);
    void onClose();
    void onWaitingToolsStartDownload(int key);
    void onOpenTool();
    void onUpdateBtnClicked();
    void onCancelUpdateBtnClicked();
    void onReupdateBtnClicked();
    void onTimeout();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A message when the tool runs; true when it does.
    bool refuseWhileRunning();
    void showFailure(int iCode);
    void setProgressValue(int iValue);
    void fitToUpdateText();

    Ui::DownloadedSubToolWidget *ui;
    DownloadPreCheck *m_pPreCheck;
    QString m_strToolName;
    ToolLaunch m_launch;
    QTimer *m_pTimer = nullptr;
    ResizeLabel *m_pUpgradeInfoLabel = nullptr;
    ResizeLabel *m_pToolNameLabel = nullptr;
    int m_iToolKey = -1;
    UpdateState m_emState = UpToDate;
    QPixmap m_shadowPixmap;
    bool m_bDragging = false;
    bool m_bOpenHiddenForGood = false;
};

} // namespace gearbay
