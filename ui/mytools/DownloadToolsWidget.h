#pragma once

#include <QWidget>

class QGraphicsScene;
class QGraphicsView;

namespace Ui {
class DownloadToolsWidget;
}

namespace gearbay {

class DeleteFrame;

// The "All Tools" tab: the board's view, the "No Tool" page when nothing is installed, and the
// trash target that appears while a row is dragged.
class DownloadToolsWidget : public QWidget
{
    Q_OBJECT

public:
    explicit DownloadToolsWidget(QWidget *parent = nullptr);
    ~DownloadToolsWidget() override;

    void setScene(QGraphicsScene *scene);
    QGraphicsView *view() const;
    DeleteFrame *deleteFrame() const { return m_pDeleteFrame; }
    // 0 the empty page, 1 the board.
    int currentPage() const;

signals:
    void signalDeleteTool(int iToolkey);
    void signalHoverOnDeleteFrame(bool h);

public slots:
    void onToolDragStateChange(int iToolkey, int iState);
    void onAddTool();
    void onAllToolsDeleted();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    Ui::DownloadToolsWidget *ui;
    DeleteFrame *m_pDeleteFrame = nullptr;
};

} // namespace gearbay
