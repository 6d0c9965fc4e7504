#include "TipDialog.h"

#include "FramelessWidget.h"
#include "ui_TipDialog.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QtDebug>

namespace gearbay {

namespace {
TipDialog::AnswerHook &answerHook()
{
    static TipDialog::AnswerHook hook;
    return hook;
}

// Screen readers announce the message box as an alert, not as an ordinary dialog.
QAccessibleInterface *alertFactory(const QString &strClass, QObject *object)
{
    if (strClass == QLatin1String("gearbay::TipDialog") && object != nullptr && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::AlertMessage);
    return nullptr;
}
} // namespace

TipDialog::TipDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TipDialog)
    , m_shadowPixmap(QStringLiteral(":/Gearbay/Image/Gearbai/shadow_bg.png"))
{
    static const bool bAlertRole = (QAccessible::installFactory(alertFactory), true);
    Q_UNUSED(bAlertRole)
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
    setAccessibleDescription(strText);
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
    const QByteArray autoAnswer = qgetenv("RW_TIP_AUTO_ANSWER");
    if (autoAnswer == "0" || autoAnswer == "1") {
        qWarning().noquote() << "TipDialog answered" << autoAnswer << "automatically:" << text;
        return autoAnswer.toInt();
    }

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

void TipDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace gearbay
