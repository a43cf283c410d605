#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The full random-use run (100,000 actions by default) under AddressSanitizer, its leak
# checker and UndefinedBehaviorSanitizer. Any report fails the run.
# Usage: tools/monkey-sanitize.sh [actions] [seed]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh"
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELANTRA_SANITIZE=ON >/dev/null
cmake --build "$root/build-sanitize" --target tst_monkey
export MONKEY_ACTIONS=${1:-100000}
# Qt Test stops a test function after five minutes by default; a long sanitized run takes
# about a millisecond per action, so the limit grows with the run (5 ms an action, plus the
# default) and still ends a run that hangs. A limit set by the caller is kept.
export QTEST_FUNCTION_TIMEOUT=${QTEST_FUNCTION_TIMEOUT:-$((300000 + 5 * MONKEY_ACTIONS))}
[ -n "${2:-}" ] && export MONKEY_SEED=$2
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$root/tests"
QT_QPA_PLATFORM=offscreen:configfile=screen-1280x800.json "$root/build-sanitize/tests/app/tst_monkey"
