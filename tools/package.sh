#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A packager's build: the program alone, optimised with debugging information, then its
# Debian package, built as Debian's own tools build (umask 022; SOURCE_DATE_EPOCH, when
# not set, is the newest release's date). Two builds of the same sources give the same
# package byte for byte, in whatever folder, at whatever time.
#   package.sh [BUILD_DIR [OUT_DIR]]   (defaults build-package/ and BUILD_DIR)
# Prints the package's path last.
set -euo pipefail
umask 022
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-package}
out=${2:-$build}
bash "$root/tools/deps.sh" package
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELANTRA_TESTS=OFF >/dev/null
cmake --build "$build" --target speed-velantra
mkdir -p "$out"
out=$(cd "$out" && pwd)
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
ls "$out"/speed-velantra_*.deb
