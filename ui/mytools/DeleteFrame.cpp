#include "DeleteFrame.h"

#include "ui_DeleteFrame.h"

#include <QPainter>

namespace gearbay {

namespace {
const char *const kNormalImage = ":/Gearbay/Image/Gearbai/icon/install_nor.png";
const char *const kHoverImage = ":/Gearbay/Image/Gearbai/icon/install_hov.png";
} // namespace

DeleteFrame::DeleteFrame(QWidget *parent)
    : QFrame(parent)
    , ui(new Ui::DeleteFrame)
{
    ui->setupUi(this);
    setFixedSize(92, 98);
    ui->m_trashLabel->hide();
    ui->m_delWordLabel->hide();
    setNormalPixmap(QString());
}

DeleteFrame::~DeleteFrame()
{
    delete ui;
}

void DeleteFrame::setHoverPixmap(const QString &path)
{
    m_pixmap.load(path.isEmpty() ? QString(kHoverImage) : path);
    update();
}

void DeleteFrame::setNormalPixmap(const QString &path)
{
    m_pixmap.load(path.isEmpty() ? QString(kNormalImage) : path);
    update();
}

void DeleteFrame::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.setPen(Qt::NoPen);
    painter.drawPixmap((width() - m_pixmap.width()) / 2, (height() - m_pixmap.height()) / 2, m_pixmap);
}

} // namespace gearbay
