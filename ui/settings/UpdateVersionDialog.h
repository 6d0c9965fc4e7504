#pragma once

#include <QWidget>

namespace Ui {
class UpdateVersionDialog;
}

namespace gearbay {

// The progress of a self-update download, with a cancel button.
class UpdateVersionDialog : public QWidget
{
    Q_OBJECT

public:
    explicit UpdateVersionDialog(QWidget *parent = nullptr);
    ~UpdateVersionDialog() override;

    // At exactly 100 the update counts as completed and the dialog hides.
    void setProgress(int iValue);

signals:
    void signalUpdateCompleted();
    void signalUpdateCancel();

private:
    Ui::UpdateVersionDialog *ui;
};

} // namespace gearbay
