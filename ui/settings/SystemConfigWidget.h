#pragma once

#include "FramelessWidget.h"
#include "ToolInfo.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVector>
#include <atomic>
#include <functional>

class QMovie;
class QTimer;

namespace Ui {
class SystemConfigWidget;
}

namespace gearbay {

// The settings popup under the title bar's settings button: moves the installed tools to another
// download path, shows the program's version and runs the self-update and the catalog refresh
// through the download server, and opens the licence folder. Its messages go to its own tip line
// and version line, never to dialogs.
class SystemConfigWidget : public FramelessWidget
{
    Q_OBJECT

public:
    explicit SystemConfigWidget(QWidget *parent = nullptr);
    ~SystemConfigWidget() override;

    // Asks for the new download path; returns the chosen folder or empty when cancelled. The default
    // is the folder dialog; tests and automation put their own answer here.
    using FolderChooser = std::function<QString(QWidget *parent)>;
    void setFolderChooser(FolderChooser chooser);

signals:
    void signalUpdateCompleted();
    void signalCover(bool bCover);
    void signalTransCover(bool bCover);
    // iCode: the download server's failure code (0 when it gave none).
    void signalUpdateFailed(int iCode);
    void signalToServer(int method, QVector<int> toolKeys);
    void signalStartUpdateManagerTool();
    void signalSetUpdateProgress(int iValue);
    void signalCopyCompleted();
    void signalHaveNewMaterial();
    void signalRigWardenNew();
    // The other language was written to the settings; it shows after a restart.
    void signalLanguageChanged();

public slots:
    void onSelectDownloadPath();
    void onIsClosedOpenTools();
    void onTimeOut();
    void onUpdateTimeOut();
    void onManagerProcessTimeOut();
    void onMaterialProcessTimeOut();
    void onOpenLicense();

    // Traffic relayed by the title bar.
    void onServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void onReUpdate();
    void onStartCheckUpdate();
    void onUpdateCompleted();
    void onUpdateCancel();
    void onDownloadingCount(int count);

private slots:
    void onUpdateBtnClicked();
    void onLanguageChosen(int iIndex);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Escape leaves the panel for the window, as a click elsewhere does.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showTipError(const QString &strText, int iMilliseconds = 2000);
    void showVersionIdle();
    void showVersionNew();
    void showVersionMessage(const QString &strText);

    void onVersionAnswer(const QMap<int, QString> &values);
    void onMaterialDownloadAnswer(const QMap<int, QString> &values);
    void onMaterialProgressAnswer(const QString &strValue);
    void onProgramDownloadAnswer(const QMap<int, QString> &values);
    void onProgramProgressAnswer(const QString &strValue);
    void endMaterialCheck();
    // Reads ToolsFileTemp/ToolsInfoList.xml into the temporary catalog; false when it is not there.
    bool loadTemporaryCatalog();

    bool anyInstalledToolRunning() const;
    // Runs job on a worker thread while this thread keeps processing events; returns its result.
    bool runOffGuiThread(const std::function<bool()> &job);
    void moveTools(const QString &strNewPath);

    Ui::SystemConfigWidget *ui;
    int m_iDownloadingCount = 0;
    int m_iCloseOpenTools = 0;
    bool m_bNotChoosing = true;
    std::atomic_bool m_bNotCopying { true };
    QString m_strDownloadPath;
    QString m_strDefaultTip;
    QString m_strNewVersion;
    QByteArray m_strProgramUrl;
    QByteArray m_strMaterialUrl;
    QTimer *m_pTipTimer = nullptr;
    QTimer *m_pCheckTimer = nullptr;
    QTimer *m_pManagerProcessTimer = nullptr;
    QTimer *m_pMaterialProcessTimer = nullptr;
    QMap<int, ToolInfo> m_mapTempToolInfos;
    QMovie *m_pWaitingMovie = nullptr;
    bool m_bChecking = false;
    FolderChooser m_folderChooser;
};

} // namespace gearbay
