#pragma once

#include <QLineEdit>

namespace vellum {

// The toolkit's single-line text field: a QLineEdit with the toolkit's default look
// (object name "vellumLineEdit" until a form names it) and a clear button.
class LineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit LineEdit(QWidget *parent = nullptr);
    explicit LineEdit(const QString &strText, QWidget *parent = nullptr);
};

} // namespace vellum
