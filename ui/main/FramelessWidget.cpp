#include "FramelessWidget.h"

#include "WindowCompositing.h"
#include "ui_FramelessWidget.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPainter>

namespace gearbay {

FramelessWidget::FramelessWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::FramelessWidget)
    , m_shadowPixmap(QStringLiteral(":/Gearbay/Image/Gearbai/shadow_bg.png"))
{
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint);
    m_bShadow = setUpShadow(this);
}

FramelessWidget::~FramelessWidget()
{
    delete ui;
}

bool FramelessWidget::setUpShadow(QWidget *widget)
{
    // Without a compositor the transparent pixels would show black.
    const bool bShadow = windowSystemComposites();
    widget->setAttribute(Qt::WA_TranslucentBackground, bShadow);
    return bShadow;
}

void FramelessWidget::paintShadow(QPainter &painter, const QPixmap &shadow, const QSize &size, bool bShadow)
{
    const int w = size.width();
    const int h = size.height();
    if (!bShadow) {
        painter.fillRect(QRect(0, 0, w, h), QColor("#ffffff"));
        painter.setPen(QColor("#c8c8c8"));
        painter.drawRect(QRect(0, 0, w - 1, h - 1));
        return;
    }
    painter.fillRect(QRect(5, 3, w - 10, h - 10), QColor("#ffffff"));
    if (shadow.isNull())
        return;
    // The image's inner part spans 200 x 133; 5-pixel side, 3-pixel top and 7-pixel bottom bands.
    painter.drawPixmap(QRect(5, h - 7, w - 10, 7), shadow, QRect(5, 136, 200, 7));
    painter.drawPixmap(QRect(5, 0, w - 10, 3), shadow, QRect(5, 0, 200, 3));
    painter.drawPixmap(QRect(0, 3, 5, h - 10), shadow, QRect(0, 3, 5, 133));
    painter.drawPixmap(QRect(w - 5, 3, 5, h - 10), shadow, QRect(205, 3, 5, 133));
    painter.drawPixmap(QRect(w - 5, 0, 5, 3), shadow, QRect(205, 0, 5, 3));
    painter.drawPixmap(QRect(0, 0, 5, 3), shadow, QRect(0, 0, 5, 3));
    painter.drawPixmap(QRect(0, h - 7, 5, 7), shadow, QRect(0, 136, 5, 7));
    painter.drawPixmap(QRect(w - 5, h - 7, 5, 7), shadow, QRect(205, 136, 5, 7));
}

void FramelessWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    paintShadow(painter, m_shadowPixmap, size(), m_bShadow);
}

void FramelessWidget::keyPressEvent(QKeyEvent *event)
{
    auto *button = qobject_cast<QAbstractButton *>(focusWidget());
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && button != nullptr
        && button->isEnabled() && button->isVisible()) {
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace gearbay
