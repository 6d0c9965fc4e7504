#pragma once

#include <QString>
#include <QWidget>

#include "ToolInfo.h"

namespace Ui {
class MoreInfoRightTopWidget;
}

namespace gearbay {

// The top of a detail page's right column: the tool's name, its introduction cut to a few lines
// with "...more", and for a tool with a pending update the update notes behind a second "...more".
class MoreInfoRightTopWidget : public QWidget
{
    Q_OBJECT

public:
    explicit MoreInfoRightTopWidget(QWidget *parent = nullptr);
    ~MoreInfoRightTopWidget() override;

    void setToolInfo(const ToolInfo &info);
    int allowedLines() const { return m_iIntroLines; }

protected:
    void paintEvent(QPaintEvent *event) override;

private slots:
    void onIntroMoreClicked();
    void onUpdateMoreClicked();

private:
    bool needsUpdate() const;
    // Shows the whole introduction or its elided start, whichever the allowed lines permit.
    void layoutIntro();

    Ui::MoreInfoRightTopWidget *ui;
    ToolInfo m_toolInfo;
    QString m_strIntro;
    QString m_strUpdate;
    int m_iIntroLines = 1;
    bool m_bIntroExpanded = false;
    bool m_bUpdateExpanded = false;
};

} // namespace gearbay
