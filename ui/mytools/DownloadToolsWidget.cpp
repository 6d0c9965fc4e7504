#include "DownloadToolsWidget.h"

#include "DeleteFrame.h"
#include "ui_DownloadToolsWidget.h"

#include <QCursor>

namespace gearbay {

DownloadToolsWidget::DownloadToolsWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::DownloadToolsWidget)
{
    ui->setupUi(this);
    m_pDeleteFrame = new DeleteFrame(ui->m_graphicsViewDownload);
    m_pDeleteFrame->move(476, 560);
    m_pDeleteFrame->hide();
    ui->stackedWidget->setCurrentIndex(0);
}

DownloadToolsWidget::~DownloadToolsWidget()
{
    delete ui;
}

void DownloadToolsWidget::setScene(QGraphicsScene *scene)
{
    ui->m_graphicsViewDownload->setScene(scene);
}

QGraphicsView *DownloadToolsWidget::view() const
{
    return ui->m_graphicsViewDownload;
}

int DownloadToolsWidget::currentPage() const
{
    return ui->stackedWidget->currentIndex();
}

void DownloadToolsWidget::onToolDragStateChange(int iToolkey, int iState)
{
    const QPoint cursor = QCursor::pos();
    if (iState == 1) {
        const QRect frameRect(m_pDeleteFrame->mapToGlobal(QPoint(0, 0)), m_pDeleteFrame->size());
        const bool bHover = frameRect.contains(cursor);
        if (bHover)
            m_pDeleteFrame->setHoverPixmap(QString());
        else
            m_pDeleteFrame->setNormalPixmap(QString());
        emit signalHoverOnDeleteFrame(bHover);
        m_pDeleteFrame->show();
        m_pDeleteFrame->raise();
    } else if (iState == 0) {
        const QPoint local = mapFromGlobal(cursor);
        const bool bInside
            = local.x() >= 0 && local.y() >= 0 && local.x() <= width() && local.y() <= height();
        // childAt finds only visible widgets: ask before hiding the frame.
        QWidget *child = bInside ? childAt(local) : nullptr;
        const bool bOnTrash = child && (child == m_pDeleteFrame || child->parentWidget() == m_pDeleteFrame);
        m_pDeleteFrame->hide();
        if (bOnTrash)
            emit signalDeleteTool(iToolkey);
    } else {
        m_pDeleteFrame->hide();
    }
}

void DownloadToolsWidget::onAddTool()
{
    if (ui->stackedWidget->currentIndex() != 1)
        ui->stackedWidget->setCurrentIndex(1);
}

void DownloadToolsWidget::onAllToolsDeleted()
{
    ui->stackedWidget->setCurrentIndex(0);
}

void DownloadToolsWidget::resizeEvent(QResizeEvent *event)
{
    // The view fills this widget (no margins), so these are the view's bottom centre too.
    m_pDeleteFrame->move((width() - m_pDeleteFrame->width()) / 2, height() - m_pDeleteFrame->height());
    QWidget::resizeEvent(event);
}

} // namespace gearbay
