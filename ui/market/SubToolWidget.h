#ifndef GEARBAY_SUBTOOLWIDGET_H
#define GEARBAY_SUBTOOLWIDGET_H

#include "ToolCurrentState.h"
#include "ToolInfo.h"
#include "ToolLaunch.h"

#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>

class QTimer;

namespace Ui {
class SubToolWidget;
}

namespace gearbay {

class DownloadPreCheck;

// One tool of the market page: its logo, name and introduction, and the one action its state
// allows (download, progress with cancel and retry, open). Requests leave through signalDownload;
// answers arrive through onServerResponded.
class SubToolWidget : public QWidget
{
    Q_OBJECT

public:
    SubToolWidget(int key, QWidget *parent = nullptr);
    ~SubToolWidget() override;

    int toolKey() const { return m_iKey; }
    ToolCurrentState currentState() const { return m_emState; }
    // Nothing under way and nothing to end: a card built again would look and act the same.
    bool isIdle() const;
    // The message shown for a failed download's code.
    static QString errorText(int iCode);

signals:
    void signalShowMoreInfoWidget(int iToolkey);
    void signalDownload(int imethod, QVector<int> vectToolKeys);
    void signalCover(bool bCover);
    void signalToMainPage(ToolCurrentState enumType, int iKey);

public slots:
    void onServerResponded(int iMethod, QMap<int, QString> mapToolkeyToServerValue);
    void onClose();
    void onSubToolsStateChanged(ToolCurrentState enumType, int iKey);
    void onWaitingToolsStartDownload(int key);

private slots:
    void onShowMoreInfoWidget();
    void onDownloadTool();
    void onOpenTool();
    void onTimeOut();
    void onCancelDownload();
    void onRefresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // Focus given to the card (the page's arrow keys) goes on to its action button.
    void focusInEvent(QFocusEvent *event) override;

private:
    void fill();
    void showDownloadView();
    void showOpenView();
    // The bar with its cancel button, empty; the downloading and waiting views differ only in its look.
    void showEmptyBarView();
    void showDownloadingView();
    void showWaitingView();
    void showFailedView(int iCode);
    void showInstalledOrDownloadView();
    void fail(int iCode);
    void completeDownload();
    int isDownloaded() const;
    void loadLogo();
    bool hasFocusInside() const;
    // Makes button the card's focus target; gives it the focus when the card had it.
    void takeActionFocus(QWidget *button, bool bFocused);

    Ui::SubToolWidget *ui;
    int m_iKey;
    ToolInfo m_toolInfo;
    bool m_bHasInfo = false;
    bool m_bLogoLoaded = false;
    QTimer *m_pTimer;
    DownloadPreCheck *m_pPreCheck;
    ToolLaunch m_launch;
    ToolCurrentState m_emState = StateNone;
    QWidget *m_pActionBtn = nullptr;
};

} // namespace gearbay

#endif
