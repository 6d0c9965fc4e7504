#pragma once

#include <QMap>
#include <QString>
#include <QVector>
#include <QWidget>
#include "ToolCurrentState.h"
#include "ToolInfo.h"

namespace Ui {
class ToolMoreInfoWidget;
}

namespace gearbay {

// The detail page of one tool: its action panel, descriptions and screenshots.
class ToolMoreInfoWidget : public QWidget
{
    Q_OBJECT

public:
    ToolMoreInfoWidget(const ToolInfo &info, QWidget *parent = nullptr);
    ~ToolMoreInfoWidget() override;

    // Takes the catalog record of a key above 0; other keys change nothing.
    void setToolKey(int key);
    int toolKey() const { return m_iToolKey; }

signals:
    void signalGoBackToToolDownWidget();
    void signalDownload(int method, QVector<int> toolKeys);
    void signalServerResponded(int method, QMap<int,QString> toolkeyToServerValue);
    void signalToMoreInfoPage(ToolCurrentState enumState, int iKey);
    void signalToMainPage(ToolCurrentState enumState, int iKey);
    void signalClose();
    void signalCover(bool bCover);

private:
    Ui::ToolMoreInfoWidget *ui;
    int m_iToolKey = -1;
    ToolInfo m_toolInfo;
};

} // namespace gearbay
