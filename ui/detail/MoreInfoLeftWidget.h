#pragma once

#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>

#include <optional>

#include "DetailActionView.h"
#include "ToolCurrentState.h"
#include "ToolInfo.h"
#include "ToolLaunch.h"

namespace Ui {
class MoreInfoLeftWidget;
}

namespace gearbay {

class DownloadPreCheck;

// The left column of a detail page: the tool's logo and facts, and the download, open, update and
// cancel actions. It follows the tool card's rules and keeps in step with the card and the board
// through the state signals; it never polls progress itself but reads the answers to the card's polls.
class MoreInfoLeftWidget : public QWidget
{
    Q_OBJECT

public:
    explicit MoreInfoLeftWidget(QWidget *parent = nullptr);
    ~MoreInfoLeftWidget() override;

    // Keeps a pointer to the page's record, which outlives the panel.
    void setToolInfo(const ToolInfo &info);
    ToolCurrentState currentState() const { return state; }

    // The size caption: general format with 6 significant digits, then "MB" (50 -> "50MB").
    static QString sizeText(double dSizeMB);

signals:
    void signalDownload(int method, QVector<int> toolKeys);
    void signalToMainPage(ToolCurrentState enumState, int iKey);
    void signalCover(bool bCover);

public slots:
    void onServerResponded(int iMethod, QMap<int, QString> mapToolkeyToServerValue);
    void onSubToolsStateChanged(ToolCurrentState enumState, int iKey);
    void onClose();

private slots:
    void onOpenTool();
    void onDownloadTool();
    void onUpdateTool();
    void onCancel();
    void onRefresh();

private:
    int toolKey() const;
    QString toolName() const;
    // Download path, disk space and the directory login, in that order; false after saying why not.
    bool passesChecks();
    // While the tool runs, tells its name with strText and gives true.
    bool refusesWhileRunning(const QString &strText);
    QString errorText(int iCode) const;

    void showActionView();
    // The bar with its cancel button in place of the actions, and the retry button when bRetry.
    void showProgressRow(bool bRetry);
    void showDownloadingView();
    void showWaitingView();
    void showFailedView(int iCode);

    Ui::MoreInfoLeftWidget *ui;
    // A copy: callers pass records they may drop or reload (a catalog refresh, a temporary).
    std::optional<ToolInfo> m_optToolInfo;
    DownloadPreCheck *m_pPreCheck;
    ToolLaunch m_launch;
    ToolCurrentState state = StateNone;
};

} // namespace gearbay
