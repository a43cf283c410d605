#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and runs the whole test suite: unit and widget tests on the
# offscreen platform, end-to-end tests under Xvfb with a window manager.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/build.sh"
cd "$root/build"
ctest --output-on-failure "$@"
