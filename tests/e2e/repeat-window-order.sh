#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the window-order and keyboard-focus tests many times over, on three screen sizes
# and under two window managers, while load processes keep both cores busy:
#   repeat-window-order.sh [BUILD_DIR]
# Env: REPEATS (default 10), SIZES (default "1280x800 1600x1000 1920x1080"),
#      WMS (default "openbox icewm"), LOAD_WORKERS (default 2; 0 runs without load).
# Prints a count per case and exits non-zero when any run failed. The output of failed
# runs is kept in a directory named at the end.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)
repeats=${REPEATS:-10}
sizes=${SIZES:-1280x800 1600x1000 1920x1080}
wms=${WMS:-openbox icewm}
load_workers=${LOAD_WORKERS:-2}
tests=(tst_e2e_windows tst_e2e_focus)

for t in "${tests[@]}"; do
    if [ ! -x "$build/tests/e2e/$t" ]; then
        echo "$0: $build/tests/e2e/$t is missing (build first)" >&2
        exit 2
    fi
done

# The tests leave their screenshots in the working directory: the build directory.
cd "$build" || exit 2
logs=$(mktemp -d /tmp/repeat-window-order.XXXXXX)
load_pid=""
stop_load() {
    if [ -n "$load_pid" ]; then
        kill "$load_pid" 2>/dev/null
        wait "$load_pid" 2>/dev/null
        load_pid=""
    fi
}
trap stop_load EXIT
trap 'exit 130' INT TERM

if [ "$load_workers" -gt 0 ]; then
    if ! command -v stress-ng >/dev/null; then
        echo "$0: stress-ng is missing (bash tools/deps.sh installs it)" >&2
        exit 2
    fi
    stress-ng --cpu "$load_workers" --quiet &
    load_pid=$!
    echo "load: stress-ng --cpu $load_workers (pid $load_pid)"
fi

total=0
failed=0
for wm in $wms; do
    for size in $sizes; do
        for t in "${tests[@]}"; do
            passes=0
            for i in $(seq 1 "$repeats"); do
                log="$logs/$t-$wm-$size-$i.log"
                if E2E_WM=$wm E2E_SCREEN=$size bash "$here/xvfb-run.sh" "$build/tests/e2e/$t" >"$log" 2>&1; then
                    passes=$((passes + 1))
                    rm -f "$log"
                else
                    failed=$((failed + 1))
                    grep -E '^FAIL!' "$log" | sed "s/^/    $wm $size run $i: /"
                fi
                total=$((total + 1))
            done
            printf '%-8s %-10s %-16s %d/%d passed\n' "$wm" "$size" "$t" "$passes" "$repeats"
        done
    done
done

stop_load
echo "total: $((total - failed))/$total runs passed"
if [ "$failed" -gt 0 ]; then
    echo "logs of the failed runs: $logs"
    exit 1
fi
rmdir "$logs" 2>/dev/null
exit 0
