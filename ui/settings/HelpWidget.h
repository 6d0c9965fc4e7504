#pragma once

#include <QString>
#include <QUrl>

#include <functional>

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

    // The manual of the current language in the program folder ("<folder>/help.pdf" in English).
    static QString manualPath();
    static QString licenseFolderPath();

    // Opens a file or folder with the desktop's handler. Tests replace it so that no viewer starts;
    // an empty function restores the desktop services.
    using UrlOpener = std::function<bool(const QUrl &url)>;
    static void setUrlOpener(UrlOpener opener);

signals:
    void signalCover(bool bCover);

public slots:
    void onManualButtonClicked();
    void onLicenseButtonClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showManualMessage(const QString &strText);

    Ui::HelpWidget *ui;
};

} // namespace gearbay
