#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A desktop panel for the end-to-end tests: a dock window along the top or the bottom of
the screen that reserves its strip (_NET_WM_STRUT_PARTIAL), as the panels of GNOME, Xfce
and MATE do, so that the window manager takes it out of the work area.

    panel.py top|bottom HEIGHT

Prints "ready" once the window is mapped, then stays until it is ended."""
import sys

from Xlib import X, Xatom, Xutil, display


def main():
    edge, height = sys.argv[1], int(sys.argv[2])
    d = display.Display()
    screen = d.screen()
    width, screen_height = screen.width_in_pixels, screen.height_in_pixels
    y = 0 if edge == "top" else screen_height - height
    window = screen.root.create_window(0, y, width, height, 0, screen.root_depth, X.InputOutput,
                                       X.CopyFromParent, background_pixel=screen.black_pixel,
                                       event_mask=X.StructureNotifyMask)
    atom = d.intern_atom
    window.change_property(atom("_NET_WM_WINDOW_TYPE"), Xatom.ATOM, 32, [atom("_NET_WM_WINDOW_TYPE_DOCK")])
    # left, right, top, bottom, then the start and end of each along its edge
    if edge == "top":
        strut = [0, 0, height, 0, 0, 0, 0, 0, 0, width - 1, 0, 0]
    else:
        strut = [0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1]
    window.change_property(atom("_NET_WM_STRUT_PARTIAL"), Xatom.CARDINAL, 32, strut)
    window.change_property(atom("_NET_WM_STRUT"), Xatom.CARDINAL, 32, strut[:4])
    # No shadow from a compositing window manager over the windows beside it: desktops'
    # own panels cast none there.
    window.change_property(atom("_GTK_FRAME_EXTENTS"), Xatom.CARDINAL, 32, [0, 0, 0, 0])
    window.set_wm_name("Test panel")
    window.set_wm_class("panel", "TestPanel")
    # A dock stays put: its place is its size and position as asked.
    window.set_wm_normal_hints(flags=Xutil.PPosition | Xutil.PSize | Xutil.PMinSize | Xutil.PMaxSize, x=0, y=y,
                               width=width, height=height, min_width=width, min_height=height,
                               max_width=width, max_height=height)
    window.map()
    d.flush()
    while True:
        event = d.next_event()
        if event.type == X.MapNotify:
            print("ready", flush=True)


if __name__ == "__main__":
    main()
