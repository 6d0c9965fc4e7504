#include "TipDialog.h"

#include "FramelessWidget.h"
#include "ui_TipDialog.h"

#include <QPainter>

namespace gearbay {

namespace {
TipDialog::AnswerHook &answerHook()
{
    static TipDialog::AnswerHook hook;
    return hook;
}
} // namespace

TipDialog::TipDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TipDialog)
    , m_shadowPixmap(QStringLiteral(":/Gearbay/Image/Gearbai/shadow_bg.png"))
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_QuitOnClose, false);
    setTabOrder(ui->okBtn, ui->cancelBtn);
    ui->okBtn->setDefault(true);
    ui->cancelBtn->setDefault(true);
    ui->okBtn->setFocus();
    connect(ui->okBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TipDialog::~TipDialog()
{
    delete ui;
}

void TipDialog::setIcon(const QString &strIconPath)
{
    ui->iconLabel->setPixmap(QPixmap(strIconPath));
}

void TipDialog::setText(const QString &strText)
{
    ui->textLabel->setText(strText);
}

void TipDialog::setOkText(const QString &strText)
{
    ui->okBtn->setText(strText);
}

void TipDialog::setCancelText(const QString &strText)
{
    ui->cancelBtn->setText(strText);
}

void TipDialog::setShowCancel(bool bShow)
{
    ui->cancelBtn->setVisible(bShow);
}

void TipDialog::focusOk()
{
    ui->okBtn->setFocus();
}

int TipDialog::showTip(QString iconPath, QString text, QString okText, QString cancelText, bool showCancel,
                       QWidget *parent)
{
    if (answerHook())
        return answerHook()(text, showCancel);

    TipDialog dialog(parent);
    dialog.setIcon(iconPath);
    dialog.setText(text);
    dialog.setOkText(okText);
    dialog.setCancelText(cancelText);
    dialog.setShowCancel(showCancel);
    dialog.focusOk();
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
}

void TipDialog::setAnswerHook(AnswerHook hook)
{
    answerHook() = std::move(hook);
}

void TipDialog::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    FramelessWidget::paintShadow(painter, m_shadowPixmap, size());
}

} // namespace gearbay
