#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program alone, optimised, into build-release/ and starts it. The tests and
# benchmarks are left to tools/test.sh, which builds everything into build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh" program
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELANTRA_TESTS=OFF >/dev/null
cmake --build "$root/build-release" --target speed-velantra
exec "$root/build-release/speed-velantra"
