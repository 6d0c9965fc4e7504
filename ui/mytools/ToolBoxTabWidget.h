#pragma once

#include <QFrame>
#include <QPoint>

class QLayout;

namespace Ui {
class ToolBoxTabWidget;
}

namespace gearbay {

// The two tab buttons of the My Tools page ("All Tools", "Updateable Tools") over their pages.
class ToolBoxTabWidget : public QFrame
{
    Q_OBJECT

public:
    explicit ToolBoxTabWidget(QWidget *parent = nullptr);
    ~ToolBoxTabWidget() override;

    // Changes only the page, not the buttons' look. Indexes above 1 (and negative ones) are ignored.
    void setCurrentTab(int index);
    int currentTab() const;
    void setDownloadedTabLayout(QLayout *layout);
    void setUpdateTabLayout(QLayout *layout);
    // Corners of the "Updateable Tools" button, in its parent's coordinates.
    QPoint updateTabTopRight() const;
    QPoint updateTabBottomRight() const;

signals:
    void signalCurrentChanged(int index);

public slots:
    void onAllToolBtnClicked();
    void onUpdateableBtnClicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Ui::ToolBoxTabWidget *ui;
};

} // namespace gearbay
