#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command in a Wayland session with XWayland, as on a desktop where Wayland is the
# default, on a compositor's headless backend:
#   wayland-run.sh COMMAND [ARGS...]
# The command gets WAYLAND_DISPLAY, DISPLAY (XWayland's), XAUTHORITY where the compositor
# uses one, and XDG_SESSION_TYPE=wayland, and no QT_QPA_PLATFORM, so a Qt program picks
# its platform as it would there.
#   E2E_SCREEN      the output's size (default 1280x800)
#   E2E_COMPOSITOR  weston (default), mutter (GNOME's) or sway
set -uo pipefail

compositor=${E2E_COMPOSITOR:-weston}
# GNOME's compositor keeps its settings behind a session bus: give the run its own.
if [ "$compositor" = mutter ] && [ -z "${E2E_SESSION_BUS:-}" ]; then
    export E2E_SESSION_BUS=1
    exec dbus-run-session -- bash "$0" "$@"
fi

if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARGS...]" >&2
    exit 2
fi
for tool in "$compositor" Xwayland xdpyinfo; do
    if ! command -v "$tool" >/dev/null; then
        echo "$0: $tool is missing (bash tools/deps.sh installs it)" >&2
        exit 2
    fi
done

screen_size=${E2E_SCREEN:-1280x800}
workdir=$(mktemp -d)
chmod 755 "$workdir"
compositor_pid=""
stop() {
    [ -n "$compositor_pid" ] && kill "$compositor_pid" 2>/dev/null && wait "$compositor_pid" 2>/dev/null
    rm -rf "$workdir"
}
trap stop EXIT
trap 'exit 130' INT TERM

export XDG_RUNTIME_DIR=$workdir/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
log=$workdir/compositor.log

# Waits up to ten seconds for the compositor to write what the sed script $1 picks out
# of its log, and prints it.
from_log() {
    local found=""
    for _ in $(seq 1 100); do
        found=$(sed -n "$1" "$log" 2>/dev/null | head -1)
        [ -n "$found" ] && break
        kill -0 "$compositor_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "$found"
}

case "$compositor" in
    weston)
        socket=velantra-e2e
        weston --backend=headless-backend.so --xwayland --socket="$socket" --idle-time=0 \
               --width="${screen_size%x*}" --height="${screen_size#*x}" --log="$log" \
               >"$workdir/weston.out" 2>&1 &
        compositor_pid=$!
        # Weston names the X display once its XWayland module is loaded; XWayland itself
        # starts with the first X client.
        display=$(from_log 's/.*xserver listening on display \(:[0-9]*\).*/\1/p')
        ;;
    mutter)
        # mutter hands the sockets it made to the command it starts: that command writes
        # them down for this script.
        mutter --wayland --headless --virtual-monitor "$screen_size" -- \
               sh -c 'echo "DISPLAY=$DISPLAY XAUTHORITY=$XAUTHORITY WAYLAND_DISPLAY=$WAYLAND_DISPLAY"; exec tail -f /dev/null --pid=$PPID' \
               >"$log" 2>&1 &
        compositor_pid=$!
        display=$(from_log 's/^DISPLAY=\(:[0-9]*\) .*/\1/p')
        export XAUTHORITY=$(from_log 's/^DISPLAY=.* XAUTHORITY=\([^ ]*\) .*/\1/p')
        socket=$(from_log 's/.* WAYLAND_DISPLAY=\(.*\)$/\1/p')
        ;;
    sway)
        # sway refuses to run as root: it runs as nobody, in a home and runtime folder of
        # that user, and lets this user's clients onto its XWayland.
        id -u nobody >/dev/null || { echo "$0: sway needs the user nobody" >&2; exit 2; }
        mkdir -p "$workdir/home"
        chown nobody "$workdir/home" "$XDG_RUNTIME_DIR"
        cat >"$workdir/sway.conf" <<CONFIG
xwayland enable
output HEADLESS-1 resolution $screen_size
exec sh -c 'echo "DISPLAY=\$DISPLAY WAYLAND_DISPLAY=\$WAYLAND_DISPLAY"; xhost +si:localuser:$(id -un)'
CONFIG
        chmod 644 "$workdir/sway.conf"
        HOME=$workdir/home WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
            setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups sway -c "$workdir/sway.conf" \
            >"$log" 2>&1 &
        compositor_pid=$!
        display=$(from_log 's/^DISPLAY=\(:[0-9]*\) .*/\1/p')
        socket=$(from_log 's/.* WAYLAND_DISPLAY=\(.*\)$/\1/p')
        from_log '/being added to access control list/p' >/dev/null
        ;;
    *) echo "$0: unknown compositor '$compositor'" >&2; exit 2 ;;
esac

if [ -z "$display" ]; then
    echo "$0: $compositor did not start with XWayland" >&2
    cat "$workdir"/*.log "$workdir"/*.out >&2 2>/dev/null
    exit 2
fi

export WAYLAND_DISPLAY=$socket DISPLAY=$display XDG_SESSION_TYPE=wayland
unset QT_QPA_PLATFORM
ready=0
for _ in $(seq 1 100); do
    if xdpyinfo >/dev/null 2>&1; then ready=1; break; fi
    sleep 0.1
done
if [ "$ready" -ne 1 ]; then
    echo "$0: XWayland did not answer on $display" >&2
    cat "$log" >&2
    exit 2
fi

"$@"
exit $?
