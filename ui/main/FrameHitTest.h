#pragma once

#include <Qt>

namespace gearbay {

// Where a point of the frameless main window lies: on a child (left to Qt), on the caption,
// or on one of the eight resize borders.
enum class FrameHit { Child, Caption, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

// The window's own hit test: (x, y) relative to its top-left, w x h its size. The uncovered
// margins act as 4-pixel resize borders and as caption elsewhere; x = 0 and y = 0 are caption.
FrameHit frameHitTest(int x, int y, int w, int h, bool bOnChild);

// The edges QWindow::startSystemResize expects for a border; none for Child and Caption.
Qt::Edges frameHitEdges(FrameHit hit);

} // namespace gearbay
