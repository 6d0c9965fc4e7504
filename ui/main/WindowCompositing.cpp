#include "WindowCompositing.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QtDebug>

#ifdef RW_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace gearbay {

namespace {

#ifdef RW_HAVE_XCB
// A short connection of our own: Qt's is reachable only through its private headers.
bool x11CompositingManagerRuns()
{
    int iScreen = 0;
    xcb_connection_t *pConnection = xcb_connect(nullptr, &iScreen);
    if (xcb_connection_has_error(pConnection)) {
        xcb_disconnect(pConnection);
        qWarning() << "---orlenk--- cannot ask the X server whether it composites";
        return false;
    }
    const QByteArray selection = "_NET_WM_CM_S" + QByteArray::number(iScreen);
    xcb_intern_atom_reply_t *pAtom = xcb_intern_atom_reply(pConnection,
        xcb_intern_atom(pConnection, 1, static_cast<uint16_t>(selection.size()), selection.constData()), nullptr);
    bool bOwned = false;
    if (pAtom && pAtom->atom != XCB_ATOM_NONE) {
        xcb_get_selection_owner_reply_t *pOwner = xcb_get_selection_owner_reply(
            pConnection, xcb_get_selection_owner(pConnection, pAtom->atom), nullptr);
        bOwned = pOwner && pOwner->owner != XCB_WINDOW_NONE;
        std::free(pOwner);
    }
    std::free(pAtom);
    xcb_disconnect(pConnection);
    return bOwned;
}
#endif

} // namespace

bool windowSystemComposites()
{
    const QString strPlatform = QGuiApplication::platformName();
    if (strPlatform == QLatin1String("xcb")) {
#ifdef RW_HAVE_XCB
        return x11CompositingManagerRuns();
#else
        return false;
#endif
    }
    return strPlatform != QLatin1String("offscreen") && strPlatform != QLatin1String("minimal")
        && strPlatform != QLatin1String("vnc") && strPlatform != QLatin1String("linuxfb");
}

} // namespace gearbay
