#include "BaseDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellum {

namespace {

// The toolkit's own look, used only when the application sets no style sheet of its own,
// so the program's style sheets decide the look by these object names.
const char kDefaultStyle[] =
    "vellum--BaseDialog { background: #FFFFFF; border: 1px solid #D9D9D9; }"
    "#baseDialogTitleWidget { background: #F5F5F5; border-bottom: 1px solid #EBEBEB; }"
    "#baseDialogTitleLabel { color: #333333; font-size: 14px; font-weight: bold; }"
    "#baseDialogCloseButton { border: none; background: transparent; color: #999999; font-size: 16px; }"
    "#baseDialogCloseButton:hover { color: #FA3239; }"
    "#baseDialogConfirmButton { background: #FA3239; color: #FFFFFF; border: none; border-radius: 2px;"
    "  min-width: 80px; min-height: 28px; }"
    "#baseDialogConfirmButton:hover { background: #FF5A5F; }"
    "#baseDialogCancelButton { background: #FFFFFF; color: #666666; border: 1px solid #D9D9D9;"
    "  border-radius: 2px; min-width: 80px; min-height: 28px; }"
    "#baseDialogCancelButton:hover { color: #FA3239; border-color: #FA3239; }";

} // namespace

BaseDialog::BaseDialog(bool bHasTitle, bool bHasCloseButton, bool bHasConfirmButton,
                       bool bHasCancelButton, bool bMovable, bool bFrameless, bool bModal,
                       QWidget *parent)
    : QDialog(parent)
    , m_bMovable(bMovable)
{
    setObjectName(QStringLiteral("baseDialogFrame"));
    if (bFrameless)
        setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setModal(bModal);
    setAttribute(Qt::WA_StyledBackground, true);

    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);

    m_pTitleWidget = new QWidget(this);
    m_pTitleWidget->setObjectName(QStringLiteral("baseDialogTitleWidget"));
    m_pTitleWidget->setAttribute(Qt::WA_StyledBackground, true);
    m_pTitleWidget->setFixedHeight(40);
    auto *pTitleLayout = new QHBoxLayout(m_pTitleWidget);
    pTitleLayout->setContentsMargins(16, 0, 8, 0);
    m_pTitleLabel = new QLabel(m_pTitleWidget);
    m_pTitleLabel->setObjectName(QStringLiteral("baseDialogTitleLabel"));
    pTitleLayout->addWidget(m_pTitleLabel, 1);
    m_pCloseButton = new QPushButton(QStringLiteral("\u2715"), m_pTitleWidget);
    m_pCloseButton->setObjectName(QStringLiteral("baseDialogCloseButton"));
    m_pCloseButton->setFixedSize(28, 28);
    m_pCloseButton->setAutoDefault(false);
    m_pCloseButton->setFocusPolicy(Qt::NoFocus);
    m_pCloseButton->setCursor(Qt::PointingHandCursor);
    m_pCloseButton->setVisible(bHasCloseButton);
    pTitleLayout->addWidget(m_pCloseButton);
    m_pTitleWidget->setVisible(bHasTitle);
    m_pTitleWidget->installEventFilter(this);
    pLayout->addWidget(m_pTitleWidget);

    m_pSetupUiWidget = new QWidget(this);
    m_pSetupUiWidget->setObjectName(QStringLiteral("baseDialogSetupUiWidget"));
    pLayout->addWidget(m_pSetupUiWidget, 1);

    m_pButtonWidget = new QWidget(this);
    m_pButtonWidget->setObjectName(QStringLiteral("baseDialogButtonWidget"));
    auto *pButtonLayout = new QHBoxLayout(m_pButtonWidget);
    pButtonLayout->setContentsMargins(16, 8, 16, 16);
    pButtonLayout->setSpacing(12);
    pButtonLayout->addStretch(1);
    m_pConfirmButton = new QPushButton(tr("OK"), m_pButtonWidget);
    m_pConfirmButton->setObjectName(QStringLiteral("baseDialogConfirmButton"));
    m_pConfirmButton->setAutoDefault(false);
    m_pConfirmButton->setCursor(Qt::PointingHandCursor);
    m_pConfirmButton->setVisible(bHasConfirmButton);
    m_pCancelButton = new QPushButton(tr("Cancel"), m_pButtonWidget);
    m_pCancelButton->setObjectName(QStringLiteral("baseDialogCancelButton"));
    m_pCancelButton->setAutoDefault(false);
    m_pCancelButton->setCursor(Qt::PointingHandCursor);
    m_pCancelButton->setVisible(bHasCancelButton);
    pButtonLayout->addWidget(m_pConfirmButton);
    pButtonLayout->addWidget(m_pCancelButton);
    m_pButtonWidget->setVisible(bHasConfirmButton || bHasCancelButton);
    pLayout->addWidget(m_pButtonWidget);

    // The flags are read at click time, so setEnableDefaultConnections() may come at any point.
    connect(m_pConfirmButton, &QPushButton::clicked, this, [this] {
        if (m_bConfirmAccepts)
            accept();
    });
    connect(m_pCancelButton, &QPushButton::clicked, this, [this] {
        if (m_bCancelRejects)
            reject();
    });
    connect(m_pCloseButton, &QPushButton::clicked, this, [this] {
        if (m_bCloseRejects)
            reject();
    });

    if (qApp && qApp->styleSheet().isEmpty())
        setStyleSheet(QString::fromLatin1(kDefaultStyle));
}

BaseDialog::~BaseDialog() = default;

QWidget *BaseDialog::getSetupUiWidget() const
{
    return m_pSetupUiWidget;
}

QPushButton *BaseDialog::getConfirmButtom() const
{
    return m_pConfirmButton;
}

QPushButton *BaseDialog::getCancelButton() const
{
    return m_pCancelButton;
}

QPushButton *BaseDialog::getCloseButton() const
{
    return m_pCloseButton;
}

void BaseDialog::setTitle(const QString &strTitle)
{
    m_pTitleLabel->setText(strTitle);
    setWindowTitle(strTitle);
}

void BaseDialog::setConfirmButtonText(const QString &strText)
{
    m_pConfirmButton->setText(strText);
}

void BaseDialog::setCancelButtonText(const QString &strText)
{
    m_pCancelButton->setText(strText);
}

void BaseDialog::setEnableDefaultConnections(bool bConfirmAccepts, bool bCancelRejects,
                                             bool bCloseRejects, bool bEscapeRejects,
                                             bool bEnterConfirms)
{
    m_bConfirmAccepts = bConfirmAccepts;
    m_bCancelRejects = bCancelRejects;
    m_bCloseRejects = bCloseRejects;
    m_bEscapeRejects = bEscapeRejects;
    m_bEnterConfirms = bEnterConfirms;
}

void BaseDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (m_bEscapeRejects)
            reject();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_bEnterConfirms && m_pConfirmButton->isVisible() && m_pConfirmButton->isEnabled())
            m_pConfirmButton->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool BaseDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pTitleWidget && m_bMovable) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *pMouse = static_cast<QMouseEvent *>(event);
            if (pMouse->button() == Qt::LeftButton) {
                m_bDragging = true;
                m_dragOffset = pMouse->globalPos() - frameGeometry().topLeft();
            }
            break;
        }
        case QEvent::MouseMove:
            if (m_bDragging)
                move(static_cast<QMouseEvent *>(event)->globalPos() - m_dragOffset);
            break;
        case QEvent::MouseButtonRelease:
            m_bDragging = false;
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vellum
