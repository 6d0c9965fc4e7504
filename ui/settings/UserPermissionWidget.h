#pragma once

#include "BaseDialog.h"
#include "DirectoryAuthenticator.h"

namespace Ui {
class UserPermissionWidget;
}

class QTimer;

namespace gearbay {

class DirectoryLogin;

// The directory login asked for before a restricted tool is first downloaded or opened in a run.
// exec() gives 1 once the directory server has accepted the account; the catalog's permission
// flag is then set for the rest of the run. The check runs off the GUI thread.
class UserPermissionWidget : public vellum::BaseDialog
{
    Q_OBJECT
public:
    explicit UserPermissionWidget(QWidget *parent = nullptr);
    ~UserPermissionWidget() override;

    // True while the directory server is being asked.
    bool isChecking() const;

public slots:
    void onConfirm();
    void onTextColorChange(QString strText);
    void onPasswordChange(QString strText);
    void onTimeOut();

private slots:
    void onLoginFinished(gearbay::DirectoryAuthenticator::Result emResult);

private:
    void showError(const QString &strText, int iMilliseconds = 2000);
    void setChecking(bool bChecking);

    Ui::UserPermissionWidget *ui;
    QTimer *m_pTimer = nullptr;
    DirectoryLogin *m_pLogin = nullptr;
};

} // namespace gearbay
