#include "UpdateVersionDialog.h"

#include "ui_UpdateVersionDialog.h"

namespace gearbay {

UpdateVersionDialog::UpdateVersionDialog(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::UpdateVersionDialog)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    // A plain widget paints its style sheet background only when asked to.
    setAttribute(Qt::WA_StyledBackground);
    ui->progressBar->setValue(0);
    connect(ui->cancelBtn, &QPushButton::clicked, this, [this] {
        emit signalUpdateCancel();
        hide();
    });
}

UpdateVersionDialog::~UpdateVersionDialog()
{
    delete ui;
}

void UpdateVersionDialog::setProgress(int iValue)
{
    ui->progressBar->setValue(iValue);
    if (iValue == 100) {
        emit signalUpdateCompleted();
        hide();
    }
}

} // namespace gearbay
