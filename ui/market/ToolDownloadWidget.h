#ifndef GEARBAY_TOOLDOWNLOADWIDGET_H
#define GEARBAY_TOOLDOWNLOADWIDGET_H

#include "ToolCurrentState.h"

#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>

class QPushButton;

namespace Ui {
class ToolDownloadWidget;
}

namespace gearbay {

class ToolIntroPictureWidget;
class ToolTypeWidget;
class ToosListWidget;

// The market page: the banner, the type bar that sticks to the top while scrolling, and the grid of
// tool cards. It holds no download logic; it relays between the cards and the main window.
class ToolDownloadWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ToolDownloadWidget(QWidget *parent = nullptr);
    ~ToolDownloadWidget() override;

    ToosListWidget *listWidget() const { return m_pListWidget; }
    ToolTypeWidget *typeWidget() const { return m_pToolTypeWidget; }
    // Puts the keyboard into the search field with its text selected, so typing replaces it.
    void focusSearch();

signals:
    void signalShowMoreInfoWidget(int iToolkey);
    void signalDownload(int method, QVector<int> toolKeys);
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void signalClose();
    void signalCover(bool bCover);
    void signalToMainPage(ToolCurrentState enumState, int iKey);
    void signalSubToolsStateChanged(ToolCurrentState enumType, int iKey);
    void signalWaitingToolsStartDownload(int iToolkey);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onScrollValueChanged(int iValue);
    void onExpend();
    void followBannerWidth();
    // Moves the focus from the card that has it to the nearest card in the arrow key's direction;
    // false when the key is no arrow or no card has the focus.
    bool moveCardFocus(int iKey);

    Ui::ToolDownloadWidget *ui;
    ToolIntroPictureWidget *m_pIntroWidget;
    ToosListWidget *m_pListWidget;
    QPushButton *m_pExpendBtn;
    ToolTypeWidget *m_pToolTypeWidget;
};

} // namespace gearbay

#endif
