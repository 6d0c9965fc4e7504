#include "LineEdit.h"

namespace vellum {

LineEdit::LineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(QStringLiteral("vellumLineEdit"));
    setClearButtonEnabled(true);
}

LineEdit::LineEdit(const QString &strText, QWidget *parent)
    : LineEdit(parent)
{
    setText(strText);
}

} // namespace vellum
