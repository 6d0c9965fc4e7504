#pragma once

#include "ToolManageScene.h"

namespace gearbay {

// The update list: one row per installed tool that has a newer version, each with its own
// "Upgrade", and a batch mode that updates all checked tools with one request.
class ToolUpdateScene : public ToolManageScene
{
    Q_OBJECT

public:
    explicit ToolUpdateScene(QObject *parent = nullptr);

    void addTool(const ToolInfo &info) override;

signals:
    void signalBatchUpdateSelecting(bool bSelecting);
    void signalSubCheckBoxStateChanged(int checkNumber);
    void signalBatchUpdateTools(int mothod, QVector<int> toolKeys);
    void signalUpgradeCompleted(int iKey);

public slots:
    void onSolveBatchUpdate();
    void onSolveCheckAllState(int state);
    void onSetSubCkeckBoxVisible(bool visible);
    void onToolDeleted(int iToolkey);
    void onUpgradeCompleted(int iKey);
    void onSubCheckBoxStateChanged();
};

} // namespace gearbay
