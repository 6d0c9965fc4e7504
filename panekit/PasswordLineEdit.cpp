#include "PasswordLineEdit.h"

#include <QAction>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vellum {

namespace {

// A small eye, drawn here so the toolkit carries no image files; crossed out while hidden.
QIcon eyeIcon(bool bOpen)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x99, 0x99, 0x99), 2.5));
    QPainterPath path;
    path.moveTo(3, 16);
    path.quadTo(16, 3, 29, 16);
    path.quadTo(16, 29, 3, 16);
    painter.drawPath(path);
    painter.setBrush(QColor(0x99, 0x99, 0x99));
    painter.drawEllipse(QPointF(16, 16), 4.5, 4.5);
    if (!bOpen)
        painter.drawLine(QPointF(6, 27), QPointF(26, 5));
    return QIcon(pixmap);
}

} // namespace

PasswordLineEdit::PasswordLineEdit(QWidget *parent)
    : LineEdit(parent)
{
    setObjectName(QStringLiteral("vellumPasswordLineEdit"));
    setClearButtonEnabled(false);
    setEchoMode(QLineEdit::Password);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);
    m_pShowAction = addAction(eyeIcon(false), QLineEdit::TrailingPosition);
    m_pShowAction->setCheckable(true);
    m_pShowAction->setToolTip(tr("Show password"));
    connect(m_pShowAction, &QAction::toggled, this, &PasswordLineEdit::setPasswordVisible);
}

void PasswordLineEdit::setPasswordVisible(bool bVisible)
{
    setEchoMode(bVisible ? QLineEdit::Normal : QLineEdit::Password);
    m_pShowAction->setIcon(eyeIcon(bVisible));
    if (m_pShowAction->isChecked() != bVisible)
        m_pShowAction->setChecked(bVisible);
}

bool PasswordLineEdit::isPasswordVisible() const
{
    return echoMode() == QLineEdit::Normal;
}

} // namespace vellum
