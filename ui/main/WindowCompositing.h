#pragma once

namespace gearbay {

// Whether the window system blends translucent windows over what lies below them. Without that,
// the transparent pixels of a frameless window show as black, so the frames draw a plain border
// instead of their soft shadow. On X11 it is the owner of the _NET_WM_CM_S<screen> selection, asked
// each time (a compositing manager may start or stop while the program runs); Wayland, Windows and
// macOS always composite; the offscreen platform never does.
bool windowSystemComposites();

} // namespace gearbay
