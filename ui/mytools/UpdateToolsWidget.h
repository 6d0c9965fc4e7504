#pragma once

#include <QWidget>

class QGraphicsScene;
class QGraphicsView;

namespace Ui {
class UpdateToolsWidget;
}

namespace gearbay {

// The "Updateable Tools" tab: the update list's view, the "No Tool" page, and the batch update
// bar ("BatchUpdate", then "check all" with "Update" and "Cancel").
class UpdateToolsWidget : public QWidget
{
    Q_OBJECT

public:
    explicit UpdateToolsWidget(QWidget *parent = nullptr);
    ~UpdateToolsWidget() override;

    void setScene(QGraphicsScene *scene);
    QGraphicsView *view() const;
    // Leaves batch selection; shows the list when there are tools, else the empty page.
    void resetBatchUpdate(bool bHasTools);
    int currentPage() const;
    bool isSelecting() const;

signals:
    void signalBatchUpdateSelecting(bool bIsSelecting);
    void signalCheckAllStateChanged(int chackNumber);
    void signalBatchUpdateBtnClicked();

public slots:
    void onSubCheckBoxStateChanged(int checkNumber);
    void onBatchUpdateBtnClicked();
    void onUpdateBtnClicked();
    void onCancelBtnClicked();

private:
    void leaveSelecting();

    Ui::UpdateToolsWidget *ui;
};

} // namespace gearbay
