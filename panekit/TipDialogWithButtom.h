#pragma once

#include "BaseDialog.h"

class QLabel;

namespace vellum {

// The toolkit's modal message box: a BaseDialog with a title, a text and an OK button.
class TipDialogWithButtom : public BaseDialog
{
    Q_OBJECT
public:
    explicit TipDialogWithButtom(QWidget *parent = nullptr);

    void setText(const QString &strText);
    QString text() const;

    // Shows a modal warning and returns the dialog's result (QDialog::Accepted once confirmed).
    static int showWarnMessageInfo(const QString &strTitle, const QString &strText,
                                   QWidget *parent = nullptr);

private:
    QLabel *m_pTextLabel = nullptr;
};

} // namespace vellum
