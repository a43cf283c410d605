#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command with a real screen reader listening, on a display that xvfb-run.sh made:
#   dbus-run-session -- bash xvfb-run.sh bash orca-run.sh COMMAND [ARGS...]
# Starts the accessibility bus, speech-dispatcher with a configuration of its own (speech
# goes to ALSA's null device: nothing is heard, nothing waits for a sound card) and Orca,
# waits until Orca has said that it is on, runs the command and stops them again.
# The command finds Orca's debug log in E2E_ORCA_LOG: its "SPEECH OUTPUT" lines are what
# Orca said. Orca writes the log through a terminal (script), so that each line is in the
# file as soon as it is said, not when a buffer fills.
set -uo pipefail

if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARGS...]" >&2
    exit 2
fi
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    echo "$0: no session bus (run it inside dbus-run-session)" >&2
    exit 2
fi
for tool in orca speech-dispatcher script /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "$0: $tool is missing (bash tools/deps.sh installs it)" >&2
        exit 2
    fi
done

workdir=$(mktemp -d)
bus_pid=""
speech_pid=""
orca_pid=""

stop() {
    if [ -n "$orca_pid" ]; then
        # Orca runs under script: end it first and see it gone, or the next run's Orca
        # finds it and refuses to start.
        screen_reader=$(pgrep -P "$orca_pid" -x orca)
        [ -n "$screen_reader" ] && kill "$screen_reader" 2>/dev/null
        for _ in $(seq 1 100); do
            [ -z "$screen_reader" ] || ! kill -0 "$screen_reader" 2>/dev/null && break
            sleep 0.1
        done
        kill "$orca_pid" 2>/dev/null && wait "$orca_pid" 2>/dev/null
    fi
    [ -n "$speech_pid" ] && kill "$speech_pid" 2>/dev/null && wait "$speech_pid" 2>/dev/null
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null && wait "$bus_pid" 2>/dev/null
    if [ -n "${E2E_KEEP_ORCA_LOG:-}" ]; then
        cp "$workdir/orca.log" "$E2E_KEEP_ORCA_LOG"
    fi
    rm -rf "$workdir"
}
trap stop EXIT
trap 'exit 130' INT TERM

wait_for() {
    local tries=$2
    while [ "$tries" -gt 0 ]; do
        if eval "$1"; then return 0; fi
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}

# Settings and sockets of the screen reader and the speech server stay in the run's folder.
mkdir -p "$workdir/home" "$workdir/speech" "$workdir/speech-log"
mkdir -m 700 "$workdir/runtime"
export HOME=$workdir/home
export XDG_CONFIG_HOME=$workdir/home/.config XDG_DATA_HOME=$workdir/home/.local/share
export XDG_CACHE_HOME=$workdir/home/.cache XDG_RUNTIME_DIR=$workdir/runtime
export GSETTINGS_BACKEND=memory

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$workdir/bus.log" 2>&1 &
bus_pid=$!

cat >"$workdir/speech/speechd.conf" <<EOF
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
LogDir "$workdir/speech-log"
EOF
# -t 0: it stays up between clients rather than ending when Orca reconnects.
speech-dispatcher -s -t 0 -C "$workdir/speech" >"$workdir/speech.log" 2>&1 &
speech_pid=$!
if ! wait_for "[ -S '$workdir/runtime/speech-dispatcher/speechd.sock' ]" 200; then
    echo "$0: speech-dispatcher did not start" >&2
    cat "$workdir/speech.log" >&2
    exit 2
fi

export E2E_ORCA_LOG=$workdir/orca.log
# Orca refuses to start beside another Orca of this user: one still ending from an earlier
# run is waited for.
if ! wait_for "! pgrep -u $(id -u) -x orca >/dev/null" 300; then
    echo "$0: another Orca of this user keeps running" >&2
    exit 2
fi
script -qfec "orca --debug-file=/dev/stdout" /dev/null </dev/null >"$E2E_ORCA_LOG" 2>&1 &
orca_pid=$!
if ! wait_for "grep -q \"SPEECH OUTPUT: 'Screen reader on.'\" '$E2E_ORCA_LOG'" 600; then
    echo "$0: Orca did not come up" >&2
    tail -n 40 "$E2E_ORCA_LOG" >&2
    exit 2
fi

"$@"
status=$?
exit $status
