#pragma once

#include <QWidget>

namespace vellum {

// A QWidget whose subclasses honour style sheet backgrounds and borders set by object name
// (a plain QWidget subclass ignores them).
class Widget : public QWidget
{
    Q_OBJECT
public:
    explicit Widget(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace vellum
