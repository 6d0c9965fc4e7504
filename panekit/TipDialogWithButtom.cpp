#include "TipDialogWithButtom.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vellum {

TipDialogWithButtom::TipDialogWithButtom(QWidget *parent)
    : BaseDialog(true, true, true, false, true, true, true, parent)
{
    auto *pLayout = new QVBoxLayout(getSetupUiWidget());
    pLayout->setContentsMargins(24, 20, 24, 12);
    m_pTextLabel = new QLabel(getSetupUiWidget());
    m_pTextLabel->setObjectName(QStringLiteral("tipDialogTextLabel"));
    m_pTextLabel->setWordWrap(true);
    m_pTextLabel->setAlignment(Qt::AlignCenter);
    pLayout->addWidget(m_pTextLabel);
    setMinimumWidth(360);
}

void TipDialogWithButtom::setText(const QString &strText)
{
    m_pTextLabel->setText(strText);
}

QString TipDialogWithButtom::text() const
{
    return m_pTextLabel->text();
}

int TipDialogWithButtom::showWarnMessageInfo(const QString &strTitle, const QString &strText,
                                             QWidget *parent)
{
    TipDialogWithButtom dialog(parent);
    dialog.setTitle(strTitle);
    dialog.setText(strText);
    return dialog.exec();
}

} // namespace vellum
