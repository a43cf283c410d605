#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a private X server with a window manager:
#   xvfb-run.sh COMMAND [ARGS...]
# Starts Xvfb on a free display (24 bits, no TCP), waits until it answers, starts a
# window manager on it (activation, stacking and minimising need one), runs the command
# with DISPLAY set and QT_QPA_PLATFORM=xcb, then stops both and exits with the command's
# exit code.
#
# The screen and the window manager can be chosen:
#   E2E_SCREEN  width x height in pixels (default 1280x800)
#   E2E_DPI     dots per inch (default 96)
#   E2E_WM      openbox (default), icewm, xfwm4 or mutter (GNOME's, as an X11 window manager)
#   E2E_PANEL   top:HEIGHT or bottom:HEIGHT: a desktop panel (tests/e2e/panel.py) that
#               reserves that strip of the screen, started after the window manager
set -uo pipefail

# Xfce's and GNOME's window managers keep their settings behind a session bus: give the
# run its own.
if { [ "${E2E_WM:-openbox}" = xfwm4 ] || [ "${E2E_WM:-openbox}" = mutter ]; } && [ -z "${E2E_SESSION_BUS:-}" ]; then
    export E2E_SESSION_BUS=1
    exec dbus-run-session -- bash "$0" "$@"
fi

if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARGS...]" >&2
    exit 2
fi

screen_size=${E2E_SCREEN:-1280x800}
dpi=${E2E_DPI:-96}
wm=${E2E_WM:-openbox}
case "$wm" in
    openbox) wm_command=(openbox --sm-disable) ;;
    icewm) wm_command=(icewm --replace) ;;
    xfwm4) wm_command=(xfwm4 --replace --compositor=off) ;;
    mutter) wm_command=(mutter --replace --x11) ;;
    *) echo "$0: unknown window manager '$wm'" >&2; exit 2 ;;
esac

for tool in Xvfb "${wm_command[0]}" xdpyinfo xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "$0: $tool is missing (bash tools/deps.sh installs it)" >&2
        exit 2
    fi
done

xvfb_pid=""
wm_pid=""
panel_pid=""
workdir=$(mktemp -d)

stop() {
    [ -n "$panel_pid" ] && kill "$panel_pid" 2>/dev/null && wait "$panel_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$workdir"
}
trap stop EXIT
trap 'exit 130' INT TERM

# Waits up to $2 tenths of a second for the command $1 to succeed.
wait_for() {
    local tries=$2
    while [ "$tries" -gt 0 ]; do
        if eval "$1"; then return 0; fi
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}

# The server picks a free display number itself and reports it (-displayfd), so runs
# started at the same moment, by this or another worktree, never share a display. It
# does not reset when its last client leaves (-noreset): a window manager connecting
# during such a reset, right after the first check, would be turned away.
display=""
Xvfb -displayfd 3 -noreset -screen 0 "${screen_size}x24" -dpi "$dpi" -nolisten tcp \
    3>"$workdir/display" >"$workdir/xvfb.log" 2>&1 &
xvfb_pid=$!
if wait_for "[ -s '$workdir/display' ]" 100; then
    display=":$(head -n1 "$workdir/display")"
    wait_for "xdpyinfo -display $display >/dev/null 2>&1" 100 || display=""
fi
if [ -z "$display" ]; then
    echo "$0: no X server could be started" >&2
    cat "$workdir/xvfb.log" >&2
    exit 2
fi

export DISPLAY=$display
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

# An EWMH window manager announces itself on the root window once it manages the screen.
# E2E_WM_LOG=FILE keeps the window manager's output, to see how it stacked.
wm_log=${E2E_WM_LOG:-$workdir/wm.log}
if [ "$wm" = icewm ]; then
    # By default icewm shrinks and moves every window into the area above its task bar;
    # the program places its windows itself (a 1280 x 800 start window, a backdrop over
    # the whole screen), so the runs let them stand where they are put.
    mkdir -p "$workdir/icewm"
    printf 'LimitSize=0\nLimitPosition=0\n' >"$workdir/icewm/preferences"
    export ICEWM_PRIVCFG=$workdir/icewm
fi
# The window manager's own settings stay in the run's folder.
mkdir -m 700 "$workdir/runtime"
HOME=$workdir XDG_CONFIG_HOME=$workdir/config XDG_RUNTIME_DIR=$workdir/runtime "${wm_command[@]}" >"$wm_log" 2>&1 &
wm_pid=$!
# It names itself before it has read its settings and published the work area, which on a
# busy machine can take many seconds more.
if ! wait_for "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'" 600 ||
   ! wait_for "xprop -root _NET_WORKAREA 2>/dev/null | grep -q '= [0-9]'" 600; then
    echo "$0: $wm did not start" >&2
    cat "$wm_log" >&2
    exit 2
fi

if [ -n "${E2E_PANEL:-}" ]; then
    edge=${E2E_PANEL%%:*}
    height=${E2E_PANEL##*:}
    /usr/bin/python3 "$(dirname "$0")/panel.py" "$edge" "$height" >"$workdir/panel.log" 2>&1 &
    panel_pid=$!
    # The window manager takes the panel's strip out of the work area.
    if [ "$edge" = top ]; then
        reserved="_NET_WORKAREA(CARDINAL) = 0, $height,"
    else
        reserved="_NET_WORKAREA(CARDINAL) = 0, 0, [0-9]*, $(( ${screen_size##*x} - height ))"
    fi
    if ! wait_for "xprop -root _NET_WORKAREA 2>/dev/null | grep -q '$reserved'" 100; then
        echo "$0: the panel's strip never left the work area" >&2
        cat "$workdir/panel.log" >&2
        xprop -root _NET_WORKAREA >&2
        exit 2
    fi
fi

"$@"
status=$?
exit $status
