#include "TipDialog.h"

#include "FramelessWidget.h"
#include "ui_TipDialog.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
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

// The program window a message belongs over. A widget inside a graphics scene (a My Tools row) is a
// window of its own to Qt, and a dialog parented to it would be drawn into the scene, under the
// tab bar and out of reach of the mouse: such widgets are followed out through the scene's view.
// Popups (the settings and help panels) hand their messages to the window they belong to.
QWidget *hostWindow(QWidget *pWidget)
{
    if (pWidget == nullptr)
        pWidget = QApplication::activeWindow();
    while (pWidget != nullptr) {
        QWidget *pWindow = pWidget->window();
        if (QGraphicsProxyWidget *pProxy = pWindow->graphicsProxyWidget()) {
            const QList<QGraphicsView *> views = pProxy->scene() ? pProxy->scene()->views() : QList<QGraphicsView *>();
            pWidget = views.isEmpty() ? nullptr : views.first();
        } else if (pWindow->parentWidget() != nullptr) {
            pWidget = pWindow->parentWidget();
        } else {
            return pWindow;
        }
    }
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
    m_bShadow = FramelessWidget::setUpShadow(this);
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

    QWidget *pHost = hostWindow(parent);
    TipDialog dialog(pHost);
    dialog.setIcon(iconPath);
    dialog.setText(text);
    dialog.setOkText(okText);
    dialog.setCancelText(cancelText);
    dialog.setShowCancel(showCancel);
    dialog.focusOk();
    // Centred over the window, or over the screen before there is one; a hidden popup would put it
    // into the screen's corner.
    dialog.adjustSize();
    QRect area;
    if (pHost != nullptr && pHost->isVisible())
        area = pHost->frameGeometry();
    else if (QScreen *pScreen = QGuiApplication::primaryScreen())
        area = pScreen->availableGeometry();
    if (area.isValid())
        dialog.move(area.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
    // A message raised while a press is held (a drop on the trash) must not leave the mouse with
    // a widget the dialog blocks.
    if (QWidget *pGrabber = QWidget::mouseGrabber())
        pGrabber->releaseMouse();
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
    FramelessWidget::paintShadow(painter, m_shadowPixmap, size(), m_bShadow);
}

void TipDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace gearbay
