#include "ResizeLabel.h"

#include <QResizeEvent>

namespace gearbay {

ResizeLabel::ResizeLabel(QWidget *parent)
    : QLabel(parent)
{
}

void ResizeLabel::resizeEvent(QResizeEvent *event)
{
    emit signalResized(event->size());
    QLabel::resizeEvent(event);
}

} // namespace gearbay
