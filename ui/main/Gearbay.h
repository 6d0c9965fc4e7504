#pragma once

#include "FramelessWidget.h"

#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QPoint>
#include <QProcess>
#include <QString>
#include <QVector>

namespace Ui {
class GearbayWidget;
}

namespace vellum {
class CoverWidget;
}

namespace gearbay {

class ClientRequestManager;
class ToolBoxWidget;
class ToolDownloadWidget;
class ToolMoreInfoWidget;
class UpdateVersionDialog;
class WindowTitleWidget;

// The program's one top-level window. It owns the pages and the download server, builds every
// request to the server with flow control (at most three downloads in flight, the rest wait
// locally), turns the answers into server value maps for the pages, and runs the close and
// restart sequences. A server that dies on its own is reported, its pending downloads are failed
// to the pages, and it is started again (a few times a minute at most) so that a retry works.
class Gearbay : public FramelessWidget
{
    Q_OBJECT

public:
    explicit Gearbay(QWidget *parent = nullptr);
    ~Gearbay() override;

    void showMoreInfoPage(int key);
    void switchMaximized();
    // Board order of the installed tools into the catalog's ListOrder (not yet written).
    void saveToolOrder();
    // What the close button writes (board order, tool states), without asking: the session ends.
    void saveSession();
    // saveSession() and the download server stopped, for an end the user did not ask for here
    // (logout, SIGTERM); the caller quits.
    void endSession();

    int serverPort() const { return m_iPort; }
    QProcess *serverProcess() const { return m_pServerProcess; }

    // Reads one server answer: the method and tool key -> value, keys found through urlToKey.
    // An element without "url" keeps the previous element's URL; an answer that is not a JSON
    // object gives method 0 and no values; URLs not in flight are dropped with a warning line.
    static void parseResponse(const QString &response, const QMap<QString, int> &urlToKey, int &method,
                              QMap<int, QString> &toolkeyToServerValue);

signals:
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);
    void signalClose();
    void signalReUpdate();
    void signalStartCheckUpdate();
    void signalGetHelp();
    void signalDownloadingCount(int count);
    void signalWaitingToolsStartDownload(int iToolkey);

public slots:
    void onSolveRequestResult(int error, QString response);
    void onBuildClientRequest(int method, QVector<int> keys);
    void onServerStarted();
    void onServerStateChaned(QProcess::ProcessState newState);
    void onClose();
    void onSolveServerProcessError(QProcess::ProcessError error);
    void onUpdateCompleted();
    void onUpdateFailed(int iCode);
    void onStartUpdateRigWarden();
    void onSetRigWardenProgress(int iValue);
    void onSetCover(bool bCover);
    void onHaveNewMaterial();
    void onLanguageChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void startServer();
    void launchServer(int iPort);
    // Starts a server that died on its own again: on its old port while that is free, else on
    // the first free one as at start-up.
    void restartServer();
    // Counts this restart against the limit; false when the server died too often lately.
    bool takeRestart();
    // Every download the dead server held, and every tool waiting for one, fails to the pages.
    void failPendingDownloads();
    // Ends the server without the "connect to server fail" message a dying server gives.
    void stopServer();
    // Covers the window and asks; restarts the program on "Restart Now".
    void askToRestart(const QString &strQuestion);
    // Starts a new copy of the program and closes this one, as after a self-update.
    void restartProgram();
    void updateInFlight(int method, const QMap<int, QString> &toolkeyToServerValue);
    // The tool's detail page, built on first use; null for a key without one.
    ToolMoreInfoWidget *detailPage(int key);
    // Answers and state reports reach the page of the tool they name, built for them if need be.
    void relayAnswerToDetailPages(int method, const QMap<int, QString> &toolkeyToServerValue);
    void relayStateToDetailPage(int enumState, int key);
    void setBlackCover(bool bCover);
    void setTransCover(bool bCover);
    bool retryWhileServerStarts(int error, const QString &response);

    Ui::GearbayWidget *ui;
    bool m_bDragging = false;
    int m_iPort = -1;
    QPoint m_currentPos;
    QPoint m_lastPos;
    QMap<QString, int> m_mapUrlToKey;
    QList<int> m_listWaitingTools;
    WindowTitleWidget *m_pTitleWidget = nullptr;
    ToolDownloadWidget *m_pToolDownloadWidget = nullptr;
    ToolBoxWidget *m_pToolBoxWidget = nullptr;
    vellum::CoverWidget *m_pCoverWidget = nullptr;
    ClientRequestManager *m_pRequestManager = nullptr;
    QMap<int, QWidget *> m_mapMoreInfoPages;
    QProcess *m_pServerProcess = nullptr;
    UpdateVersionDialog *m_pUpdateVersionDialog = nullptr;
    // Requests refused while a freshly started server is not yet listening are sent again.
    int m_iConnectRetries = 0;
    bool m_bServerRan = false;
    bool m_bServerStopped = false;
    QElapsedTimer m_serverClock;
    QList<qint64> m_listRestartTimes;
};

} // namespace gearbay
