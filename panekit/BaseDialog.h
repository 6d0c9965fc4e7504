#pragma once

#include <QDialog>
#include <QPoint>

class QLabel;
class QPushButton;
class QWidget;

namespace vellum {

// A titled, frameless dialog frame with confirm and cancel buttons around a content widget.
// Subclasses lay their .ui form into getSetupUiWidget(). Parts are styled by object name:
// "baseDialogFrame", "baseDialogTitleWidget", "baseDialogTitleLabel", "baseDialogCloseButton",
// "baseDialogSetupUiWidget", "baseDialogButtonWidget", "baseDialogConfirmButton",
// "baseDialogCancelButton".
class BaseDialog : public QDialog
{
    Q_OBJECT
public:
    BaseDialog(bool bHasTitle = true, bool bHasCloseButton = true, bool bHasConfirmButton = true,
               bool bHasCancelButton = true, bool bMovable = true, bool bFrameless = true,
               bool bModal = true, QWidget *parent = nullptr);
    ~BaseDialog() override;

    QWidget *getSetupUiWidget() const;
    QPushButton *getConfirmButtom() const;
    QPushButton *getCancelButton() const;
    QPushButton *getCloseButton() const;

    void setTitle(const QString &strTitle);
    void setConfirmButtonText(const QString &strText);
    void setCancelButtonText(const QString &strText);

    // Which built-in reactions stay connected: confirm accepts, cancel rejects, the title's close
    // button rejects, Escape rejects, Enter/Return presses confirm. A subclass that checks its
    // input before accepting turns the first off and connects getConfirmButtom() itself.
    void setEnableDefaultConnections(bool bConfirmAccepts, bool bCancelRejects, bool bCloseRejects,
                                     bool bEscapeRejects, bool bEnterConfirms);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_pTitleWidget = nullptr;
    QLabel *m_pTitleLabel = nullptr;
    QPushButton *m_pCloseButton = nullptr;
    QWidget *m_pSetupUiWidget = nullptr;
    QWidget *m_pButtonWidget = nullptr;
    QPushButton *m_pConfirmButton = nullptr;
    QPushButton *m_pCancelButton = nullptr;
    bool m_bMovable = true;
    bool m_bConfirmAccepts = true;
    bool m_bCancelRejects = true;
    bool m_bCloseRejects = true;
    bool m_bEscapeRejects = true;
    bool m_bEnterConfirms = true;
    bool m_bDragging = false;
    QPoint m_dragOffset;
};

} // namespace vellum
