#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command in a Wayland session with XWayland, as on a desktop where Wayland is the
# default: weston on its headless backend, X clients through XWayland.
#   weston-run.sh COMMAND [ARGS...]
# The command gets WAYLAND_DISPLAY, DISPLAY (XWayland's) and XDG_SESSION_TYPE=wayland,
# and no QT_QPA_PLATFORM, so a Qt program picks its platform as it would there.
# E2E_SCREEN sets the output's size (default 1280x800).
set -uo pipefail

if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARGS...]" >&2
    exit 2
fi
for tool in weston Xwayland xdpyinfo; do
    if ! command -v "$tool" >/dev/null; then
        echo "$0: $tool is missing (bash tools/deps.sh installs it)" >&2
        exit 2
    fi
done

screen_size=${E2E_SCREEN:-1280x800}
workdir=$(mktemp -d)
weston_pid=""
stop() {
    [ -n "${E2E_WESTON_LOG:-}" ] && cp "$workdir/weston.log" "$E2E_WESTON_LOG"
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    rm -rf "$workdir"
}
trap stop EXIT
trap 'exit 130' INT TERM

export XDG_RUNTIME_DIR=$workdir/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=velantra-e2e
weston --backend=headless-backend.so --xwayland --socket="$socket" --idle-time=0 \
       --width="${screen_size%x*}" --height="${screen_size#*x}" --log="$workdir/weston.log" \
       >"$workdir/weston.out" 2>&1 &
weston_pid=$!

# Weston names the X display it listens on once its XWayland module is loaded; XWayland
# itself starts with the first X client.
display=""
for _ in $(seq 1 100); do
    display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$workdir/weston.log" 2>/dev/null | head -1)
    [ -n "$display" ] && break
    if ! kill -0 "$weston_pid" 2>/dev/null; then break; fi
    sleep 0.1
done
if [ -z "$display" ]; then
    echo "$0: weston did not start with XWayland" >&2
    cat "$workdir/weston.log" "$workdir/weston.out" >&2
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
    cat "$workdir/weston.log" >&2
    exit 2
fi

"$@"
exit $?
