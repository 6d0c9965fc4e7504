#include "FrameHitTest.h"

namespace gearbay {

FrameHit frameHitTest(int x, int y, int w, int h, bool bOnChild)
{
    if (bOnChild)
        return FrameHit::Child;
    const bool left = x >= 1 && x <= 4;
    const bool right = x > w - 5 && x < w;
    const bool top = y >= 1 && y <= 4;
    const bool bottom = y > h - 5 && y < h;

    // Later rules win, so corners override the plain edges.
    FrameHit hit = FrameHit::Caption;
    if (left)
        hit = FrameHit::Left;
    if (right)
        hit = FrameHit::Right;
    if (top)
        hit = FrameHit::Top;
    if (bottom)
        hit = FrameHit::Bottom;
    if (left && top)
        hit = FrameHit::TopLeft;
    if (right && top)
        hit = FrameHit::TopRight;
    if (left && bottom)
        hit = FrameHit::BottomLeft;
    if (right && bottom)
        hit = FrameHit::BottomRight;
    return hit;
}

Qt::Edges frameHitEdges(FrameHit hit)
{
    switch (hit) {
    case FrameHit::Left:
        return Qt::LeftEdge;
    case FrameHit::Right:
        return Qt::RightEdge;
    case FrameHit::Top:
        return Qt::TopEdge;
    case FrameHit::Bottom:
        return Qt::BottomEdge;
    case FrameHit::TopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case FrameHit::TopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case FrameHit::BottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case FrameHit::BottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

} // namespace gearbay
