#pragma once

#include "LineEdit.h"

class QAction;

namespace vellum {

// A password field: text hidden, copy and drag out disabled, with an eye action that shows
// the text while it is checked.
class PasswordLineEdit : public LineEdit
{
    Q_OBJECT
public:
    explicit PasswordLineEdit(QWidget *parent = nullptr);

    void setPasswordVisible(bool bVisible);
    bool isPasswordVisible() const;

private:
    QAction *m_pShowAction = nullptr;
};

} // namespace vellum
