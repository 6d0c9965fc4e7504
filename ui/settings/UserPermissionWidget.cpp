#include "UserPermissionWidget.h"

#include "ConfigureStore.h"
#include "DirectoryLogin.h"
#include "RegExpValidator.h"
#include "ToolCatalog.h"
#include "ui_UserPermissionWidget.h"

#include <QDebug>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

namespace gearbay {

namespace {
// Longer than the two-second field errors: these explain a server problem and need reading.
const int kServerWarningMs = 5000;
} // namespace

UserPermissionWidget::UserPermissionWidget(QWidget *parent)
    : vellum::BaseDialog(true, true, true, true, true, true, true, parent)
    , ui(new Ui::UserPermissionWidget)
    , m_pTimer(new QTimer(this))
    , m_pLogin(new DirectoryLogin(this))
{
    m_pTimer->setObjectName(QStringLiteral("errorTimer"));
    // The form goes inside the set-up area, which keeps the toolkit's object name for styling.
    auto *pForm = new QWidget(getSetupUiWidget());
    ui->setupUi(pForm);
    auto *pSetupLayout = new QVBoxLayout(getSetupUiWidget());
    pSetupLayout->setContentsMargins(0, 0, 0, 0);
    pSetupLayout->addWidget(pForm);

    setFixedSize(400, 277);
    setBaseSize(400, 56);
    setTitle(tr("Get authority"));
    setConfirmButtonText(tr("OK"));
    setCancelButtonText(tr("Cancel"));
    // OK accepts only after the check; Enter still presses OK.
    setEnableDefaultConnections(false, true, true, true, true);
    connect(getConfirmButtom(), &QPushButton::clicked, this, &UserPermissionWidget::onConfirm);

    ui->userNameLineEdit->setPlaceholderText(tr("Please input user name"));
    ui->passwordLineEdit->setPlaceholderText(tr("Please input password"));
    ui->userNameLineEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    ui->passwordLineEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    ui->userNameLineEdit->setMaxLength(32);
    ui->passwordLineEdit->setMaxLength(32);

    QStringList forbidden;
    for (const QChar c : QStringLiteral("|><\"?*:/\\'"))
        forbidden << QRegularExpression::escape(QString(c));
    auto *pValidator = new vellum::RegExpValidator(
        vellum::RegExpValidator::RejectMatching, forbidden.join(QLatin1Char('|')), ui->userNameLineEdit);
    pValidator->setMaxLength(32);
    ui->userNameLineEdit->setValidator(pValidator);

    connect(ui->userNameLineEdit, &QLineEdit::textChanged, this, &UserPermissionWidget::onTextColorChange);
    connect(ui->passwordLineEdit, &QLineEdit::textChanged, this, &UserPermissionWidget::onPasswordChange);
    connect(m_pTimer, &QTimer::timeout, this, &UserPermissionWidget::onTimeOut);
    connect(m_pLogin, &DirectoryLogin::signalFinished, this, &UserPermissionWidget::onLoginFinished);

    onTextColorChange(QString());
    onPasswordChange(QString());
    // The error line keeps its room (two lines, for the server messages) while hidden, so the fields
    // never move under the pointer when it comes and goes.
    for (QLabel *pLabel : { ui->errorLabel, ui->passwordErrorText }) {
        QSizePolicy policy = pLabel->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        pLabel->setSizePolicy(policy);
    }
    ui->passwordErrorText->setFixedHeight(2 * ui->passwordErrorText->fontMetrics().lineSpacing() + 4);
    ui->errorLabel->hide();
    ui->passwordErrorText->hide();
    ui->userNameLineEdit->setFocus();
}

UserPermissionWidget::~UserPermissionWidget()
{
    delete ui;
}

bool UserPermissionWidget::isChecking() const
{
    return m_pLogin->isRunning();
}

void UserPermissionWidget::onConfirm()
{
    if (m_pLogin->isRunning())
        return;
    const QString strUser = ui->userNameLineEdit->text().trimmed();
    const QString strPassword = ui->passwordLineEdit->text();
    if (strUser.isEmpty() || strPassword.trimmed().isEmpty()) {
        showError(tr("user name  or password cannot empty."));
        return;
    }

    const ConfigureStore *pStore = ConfigureStore::instance();
    const DirectoryAuthenticator authenticator(
        pStore->directoryServer(), pStore->directoryUserDn(), pStore->directoryCaFile());
    if (!authenticator.isConfigured()) {
        qWarning() << "kv7 directory login: DirectoryServer or DirectoryUserDn missing in Setup.xml";
        showError(tr("No directory server is configured."), kServerWarningMs);
        return;
    }
    // The password goes as typed: blanks may belong to it.
    m_pLogin->start(authenticator, strUser, strPassword);
    setChecking(true);
}

void UserPermissionWidget::onLoginFinished(DirectoryAuthenticator::Result emResult)
{
    setChecking(false);
    // Cancelled while the server was asked: the late answer changes nothing.
    if (!isVisible())
        return;
    switch (emResult) {
    case DirectoryAuthenticator::Accepted:
        ToolCatalog::instance()->setPermissionGranted(true);
        done(1);
        return;
    case DirectoryAuthenticator::Refused:
    case DirectoryAuthenticator::EmptyCredentials:
        showError(tr("user name  or password error."));
        return;
    case DirectoryAuthenticator::ServerUnavailable:
        showError(tr("The directory server cannot be reached. Please try again later."), kServerWarningMs);
        return;
    case DirectoryAuthenticator::SecureChannelFailed:
        showError(tr("The directory server's certificate cannot be trusted."), kServerWarningMs);
        return;
    case DirectoryAuthenticator::NotConfigured:
        showError(tr("No directory server is configured."), kServerWarningMs);
        return;
    case DirectoryAuthenticator::OtherError:
        showError(tr("The directory server refused the login."), kServerWarningMs);
        return;
    }
}

void UserPermissionWidget::setChecking(bool bChecking)
{
    getConfirmButtom()->setEnabled(!bChecking);
    ui->userNameLineEdit->setReadOnly(bChecking);
    ui->passwordLineEdit->setReadOnly(bChecking);
    if (bChecking) {
        m_pTimer->stop();
        ui->passwordErrorText->setStyleSheet(QStringLiteral("color: #666666;"));
        ui->passwordErrorText->setText(tr("Checking the account..."));
        ui->errorLabel->show();
        ui->passwordErrorText->show();
    } else {
        ui->passwordErrorText->setStyleSheet(QStringLiteral("color: #FA3239;"));
        onTimeOut();
    }
}

void UserPermissionWidget::showError(const QString &strText, int iMilliseconds)
{
    ui->passwordErrorText->setText(strText);
    ui->errorLabel->show();
    ui->passwordErrorText->show();
    // A second error restarts the display time.
    m_pTimer->start(iMilliseconds);
}

void UserPermissionWidget::onTextColorChange(QString strText)
{
    ui->userNameLineEdit->setStyleSheet(
        strText.trimmed().isEmpty() ? QStringLiteral("color:#CCCCCC") : QStringLiteral("color:#666666"));
}

void UserPermissionWidget::onPasswordChange(QString strText)
{
    ui->passwordLineEdit->setStyleSheet(
        strText.trimmed().isEmpty() ? QStringLiteral("color:#CCCCCC") : QStringLiteral("color:#666666"));
}

void UserPermissionWidget::onTimeOut()
{
    m_pTimer->stop();
    ui->errorLabel->hide();
    ui->passwordErrorText->hide();
}

} // namespace gearbay
