#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package is the same byte for byte from two trees of one commit: a clone, and
# the release tarball unpacked in another folder, built one after the other into build
# folders of other names, under other time zones, locales and umasks. On a difference,
# diffoscope says where. Each build folder lies directly in its source folder, as Debian's
# tools put it: the toolkit's generated code includes the sources by relative paths, which
# the debugging information, and with it the build ID, keeps.
set -euo pipefail
src=$1
if ! git -C "$src" rev-parse --verify -q HEAD >/dev/null 2>&1; then
    echo "not a git checkout: nothing to clone"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Each build compiles for itself: a compiler cache could give the second the first's objects.
export CCACHE_DISABLE=1
unset SOURCE_DATE_EPOCH CMAKE_CXX_COMPILER_LAUNCHER

clone=$work/one/speed-velantra
git clone -q "$src" "$clone"
tarball=$(bash "$clone/tools/release.sh" "$work/dist" | tail -n 1)
mkdir -p "$work/two/unpacked/here"
tar -xJf "$tarball" -C "$work/two/unpacked/here"
unpacked=$(echo "$work"/two/unpacked/here/speed-velantra-*)

deb_one=$(TZ=UTC LC_ALL=C.UTF-8 bash -c 'umask 002 && bash "$0/tools/package.sh" "$0/build-package" "$1"' \
          "$clone" "$work/out-one" | tail -n 1)
deb_two=$(TZ=Pacific/Chatham LC_ALL=C bash -c 'umask 077 && bash "$0/tools/package.sh" "$1" "$2"' \
          "$unpacked" "$unpacked/obj-x86_64-linux-gnu" "$work/out-two" | tail -n 1)
sha256sum "$tarball" "$deb_one" "$deb_two"
if ! cmp -s "$deb_one" "$deb_two"; then
    echo "the two packages differ:"
    if command -v diffoscope >/dev/null; then
        diffoscope --text - --max-report-size 200000 "$deb_one" "$deb_two" || true
    else
        cmp -l "$deb_one" "$deb_two" | head -n 20
    fi
    exit 1
fi
# Both build trees, each of which built the program alone, can be installed.
for tree in "$clone/build-package" "$unpacked/obj-x86_64-linux-gnu"; do
    DESTDIR=$work/installed cmake --install "$tree" >/dev/null || { echo "cmake --install $tree failed"; exit 1; }
done
[ -f "$work/installed/usr/local/share/man/man1/speed-velantra.1.gz" ] || { echo "the manual page was not installed"; exit 1; }
echo "both builds gave $(basename "$deb_one"), byte for byte the same"
