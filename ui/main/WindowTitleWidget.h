#pragma once

#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>

class QLabel;

namespace Ui {
class WindowTitleWidget;
}

namespace gearbay {

class HelpWidget;
class SystemConfigWidget;

// The 64-pixel band at the top of the main window: logo, the two page buttons, settings and window
// buttons. It owns the settings and help popups and relays their traffic to and from the window.
class WindowTitleWidget : public QWidget
{
    Q_OBJECT

public:
    explicit WindowTitleWidget(QWidget *parent = nullptr);
    ~WindowTitleWidget() override;

    void setRestoreIcon();
    void setMaxIcon();

signals:
    void signalShowToolsDownloadWidget();
    void signalShowToolBoxWidget();
    void signalCloseApp();
    void signalShowSmall();
    void signalShowMax();
    void signalToServer(int method, QVector<int> toolKeys);
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void signalUpdateCompleted();
    void signalUpdateCancel();
    void signalCover(bool bCover);
    void signalTransCover(bool bCover);
    void signalUpdateFailed(int iCode);
    void signalReUpdate();
    void signalStartCheckUpdate();
    void signalStartUpdateManagerTool();
    void signalSetUpdateProgress(int iValue);
    void signalGetHelp();
    void signalDownloadingCount(int count);
    void signalHaveNewMaterial();
    void signalLanguageChanged();

public slots:
    void onAllToolsUpgraded();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void onToolsDownBtnClicked();
    void onMyToolsBtnClicked();
    void onHelpBtnClicked();
    void onConfigBtnClicked();
    void updateFlag();
    void placeUpdateFlag();

    Ui::WindowTitleWidget *ui;
    SystemConfigWidget *m_pSystemConfigWidget;
    HelpWidget *m_pHelpWidget;
    QLabel *m_pUpdateFlagLabel;
    QLabel *m_pNewRigWarden;
};

} // namespace gearbay
