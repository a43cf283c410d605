#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Records the key and button events of the X server on $DISPLAY as the server itself
# stamped them, through its RECORD extension, independently of any program receiving
# them. Prints "ready" once recording, then one line per event:
#   KeyPress|KeyRelease|ButtonPress|ButtonRelease <key name or button number> <server time ms>
import sys

from Xlib import X, XK, display
from Xlib.ext import record
from Xlib.protocol import rq

NAMES = {X.KeyPress: "KeyPress", X.KeyRelease: "KeyRelease",
         X.ButtonPress: "ButtonPress", X.ButtonRelease: "ButtonRelease"}

control = display.Display()
data = display.Display()
if not data.has_extension("RECORD"):
    print("no RECORD extension", file=sys.stderr)
    sys.exit(2)


KEY_NAMES = {getattr(XK, name): name[3:] for name in dir(XK) if name.startswith("XK_")}


def detail_of(event):
    if event.type in (X.KeyPress, X.KeyRelease):
        keysym = control.keycode_to_keysym(event.detail, 0)
        return KEY_NAMES.get(keysym, str(event.detail))
    return str(event.detail)


def on_data(reply):
    if reply.category == record.StartOfData:
        print("ready", flush=True)
        return
    if reply.category != record.FromServer or reply.client_swapped or not reply.data:
        return
    payload = reply.data
    while len(payload):
        event, payload = rq.EventField(None).parse_binary_value(payload, data.display, None, None)
        name = NAMES.get(event.type)
        if name:
            print(name, detail_of(event), event.time, flush=True)


context = data.record_create_context(
    0, [record.AllClients],
    [{"core_requests": (0, 0), "core_replies": (0, 0),
      "ext_requests": (0, 0, 0, 0), "ext_replies": (0, 0, 0, 0),
      "delivered_events": (0, 0), "device_events": (X.KeyPress, X.ButtonRelease),
      "errors": (0, 0), "client_started": False, "client_died": False}])
data.record_enable_context(context, on_data)
