#pragma once

#include <QWidget>

namespace Ui {
class UpdateVersionDialog;
}

namespace gearbay {

// The progress of the program's own download during a self-update, with a cancel button.
class UpdateVersionDialog : public QWidget
{
    Q_OBJECT

public:
    explicit UpdateVersionDialog(QWidget *parent = nullptr);
    ~UpdateVersionDialog() override;

    // Sets the bar; exactly 100 means the new version is installed: the dialog reports it and hides.
    void setProgress(int iValue);

signals:
    void signalUpdateCompleted();
    void signalUpdateCancel();

private:
    Ui::UpdateVersionDialog *ui;
};

} // namespace gearbay
