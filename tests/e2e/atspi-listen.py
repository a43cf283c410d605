#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# A second assistive-technology client beside the screen reader: it listens over AT-SPI
# to one application and reads its whole accessible tree on request, as any client could.
#   atspi-listen.py APPLICATION-NAME
# Prints "READY" once listening, then one tab-separated line per event of that
# application, with the listener's own monotonic time in seconds:
#   EVENT <time> <type> <role> <name> <detail1> <detail2> <any_data>
# A line "dump" on its standard input prints every object of the application's tree as a
# client sees it (names as the events the application sent left them in AT-SPI's cache),
# "fresh" the same read anew from the application,
#   NODE <path> <role> <name> <description> <text> <value>
# where text is what the object's Text interface holds, then for each table
#   TABLE <path> <rows> <columns>
#   CELL <path> <row> <column> <name> <description> <text>
# through the Table interface, and at last "END".
import sys
import time

import gi
gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402

APP = sys.argv[1]


def clean(value):
    return str(value if value is not None else "").replace("\t", " ").replace("\n", " ")


def out(*fields):
    sys.stdout.write("\t".join(clean(f) for f in fields) + "\n")
    sys.stdout.flush()


def text_of(obj):
    try:
        text = obj.queryText()
        return text.getText(0, text.characterCount)
    except Exception:
        return ""


def value_of(obj):
    try:
        return obj.queryValue().currentValue
    except Exception:
        return ""


def on_event(event):
    try:
        app = event.host_application
        if app is None or app.name != APP:
            return
        source = event.source
        out("EVENT", "%.3f" % time.monotonic(), event.type, source.getRoleName(), source.name,
            event.detail1, event.detail2, event.any_data)
    except Exception as error:  # an object gone while its event was on its way
        out("GONE", "%.3f" % time.monotonic(), event.type, error)


def dump_node(obj, path):
    out("NODE", path, obj.getRoleName(), obj.name, obj.description, text_of(obj), value_of(obj))
    try:
        table = obj.queryTable()
    except Exception:
        table = None
    if table is not None:
        out("TABLE", path, table.nRows, table.nColumns)
        for row in range(table.nRows):
            for col in range(table.nColumns):
                cell = table.getAccessibleAt(row, col)
                if cell is not None:
                    out("CELL", path, row, col, cell.name, cell.description, text_of(cell))
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            dump_node(child, "%s/%d" % (path, i))


def dump(fresh):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == APP:
            if fresh:
                app.clear_cache()
            dump_node(app, str(i))
    out("END")


def on_input(channel, condition):
    line = sys.stdin.readline()
    if not line:
        pyatspi.Registry.stop()
        return False
    if line.strip() in ("dump", "fresh"):
        try:
            dump(line.strip() == "fresh")
        except Exception as error:
            out("ERROR", error)
            out("END")
    return True


# Name changes too: without them AT-SPI would keep the names it read first in its cache.
pyatspi.Registry.registerEventListener(on_event, "object:text-changed", "object:state-changed:showing",
                                       "object:state-changed:focused", "object:property-change:accessible-name")
GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.IO_IN | GLib.IO_HUP, on_input)
GLib.idle_add(lambda: out("READY") or False)
pyatspi.Registry.start()
