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
}

UpdateVersionDialog::~UpdateVersionDialog()
{
    delete ui;
}

void UpdateVersionDialog::setProgress(int iValue)
{
    if (iValue == 100) {
        emit signalUpdateCompleted();
        hide();
    }
}

} // namespace gearbay
