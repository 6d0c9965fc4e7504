#pragma once

#include <QMap>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include "ToolCurrentState.h"
#include "ToolInfo.h"

namespace Ui {
class ToolMoreInfoWidget;
}

namespace gearbay {

class MoreInfoLeftWidget;
class MoreInfoRightBottomWidget;
class MoreInfoRightTopWidget;

// The detail page of one tool: its action panel, descriptions and screenshots. A page builds its
// contents when first shown or asked for them, or when an answer or another page's report first
// names its tool, so a page opened later shows what it would have shown all along.
class ToolMoreInfoWidget : public QWidget
{
    Q_OBJECT

public:
    ToolMoreInfoWidget(const ToolInfo &info, QWidget *parent = nullptr);
    ~ToolMoreInfoWidget() override;

    // Takes the catalog record of a key above 0; other keys change nothing.
    void setToolKey(int key);
    int toolKey() const { return m_iToolKey; }

    // The screenshot files of a tool under strAppDir, in order: DetailImages/<name>/CH/ for
    // translator 1, .../EN/ otherwise.
    static QStringList screenshotPaths(const ToolInfo &info, const QString &strAppDir, unsigned translator);
    // One pixmap per file, null where a file is missing or unreadable.
    static QVector<QPixmap> loadScreenshots(const ToolInfo &info);

    MoreInfoLeftWidget *actionPanel();
    MoreInfoRightTopWidget *descriptionWidget();
    MoreInfoRightBottomWidget *screenshotWidget();

signals:
    void signalGoBackToToolDownWidget();
    void signalDownload(int method, QVector<int> toolKeys);
    void signalServerResponded(int method, QMap<int,QString> toolkeyToServerValue);
    void signalToMoreInfoPage(ToolCurrentState enumState, int iKey);
    void signalToMainPage(ToolCurrentState enumState, int iKey);
    void signalClose();
    void signalCover(bool bCover);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ensureBuilt();
    void onStateChangedElsewhere(ToolCurrentState enumState, int iKey);
    void onServerAnswer(int iMethod, const QMap<int, QString> &mapToolkeyToServerValue);

    Ui::ToolMoreInfoWidget *ui = nullptr;
    bool m_bScreenshotsLoaded = false;
    int m_iToolKey = -1;
    ToolInfo m_toolInfo;
    MoreInfoLeftWidget *m_pLeftWidget = nullptr;
    MoreInfoRightTopWidget *m_pRightTopWidget = nullptr;
    MoreInfoRightBottomWidget *m_pRightBottomWidget = nullptr;
};

} // namespace gearbay
