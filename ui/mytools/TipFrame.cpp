#include "TipFrame.h"

#include "ui_TipFrame.h"

#include <QResizeEvent>

namespace gearbay {

TipFrame::TipFrame(QWidget *parent)
    : QFrame(parent)
    , ui(new Ui::TipFrame)
{
    ui->setupUi(this);
    ui->m_wordLabel->adjustSize();
    adjustSize();
}

TipFrame::~TipFrame()
{
    delete ui;
}

void TipFrame::resizeEvent(QResizeEvent *event)
{
    emit signalResized(event->size());
    QFrame::resizeEvent(event);
}

} // namespace gearbay
