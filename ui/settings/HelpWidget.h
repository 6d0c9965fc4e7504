#pragma once

#include <QString>
#include "../main/FramelessWidget.h"

namespace Ui {
class HelpWidget;
}

namespace gearbay {

// The help popup under the title bar: the user manual and the licence folder.
class HelpWidget : public FramelessWidget
{
    Q_OBJECT

public:
    explicit HelpWidget(QWidget *parent = nullptr);
    ~HelpWidget() override;

signals:
    void signalCover(bool bCover);

public slots:
    void onManualButtonClicked();
    void onLicenseButtonClicked();

private:
    Ui::HelpWidget *ui;
};

} // namespace gearbay
