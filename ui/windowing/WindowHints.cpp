// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windowing/WindowHints.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstring>

namespace windowHints {

void castsNoShadow(QWidget &window)
{
    if (!window.isWindow())
        return;
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    static const xcb_atom_t extents = [connection] {
        constexpr char name[] = "_GTK_FRAME_EXTENTS";
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        free(reply);
        return atom;
    }();
    if (extents == XCB_ATOM_NONE)
        return;
    // Left, right, top and bottom: no part of the window is a shadow of its own either.
    const uint32_t none[4] = {0, 0, 0, 0};
    // createWinId(), not winId(): winId() marks the window native, and a native window's
    // children become X windows of their own.
    window.createWinId();
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.internalWinId()), extents,
                        XCB_ATOM_CARDINAL, 32, 4, none);
}

} // namespace windowHints
