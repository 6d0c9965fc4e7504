#include "ExhibitorThumbnail.h"

#include "ui_ExhibitorThumbnail.h"

#include "DetailPixmaps.h"

#include <QPainter>
#include <QStyleOption>

namespace gearbay {

ExhibitorThumbnail::ExhibitorThumbnail(QWidget *parent)
    : QAbstractButton(parent)
    , ui(new Ui::ExhibitorThumbnail)
{
    ui->setupUi(this);
    setFixedSize(112, 72);
    setCursor(Qt::PointingHandCursor);
    // Clicks belong to the button, not to the picture on it.
    ui->m_centerLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
}

ExhibitorThumbnail::~ExhibitorThumbnail()
{
    delete ui;
}

void ExhibitorThumbnail::setImage(const QPixmap &pixmap)
{
    ui->m_centerLabel->setPixmap(pixmap.isNull() ? detailPlaceholder(QSize(96, 56), QStringLiteral("?"), 16)
                                                 : pixmap);
}

void ExhibitorThumbnail::paintEvent(QPaintEvent *)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

} // namespace gearbay
