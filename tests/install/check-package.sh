#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, checks what it holds and declares, runs lintian on it, and
# starts the packaged program (offscreen) to see that it runs from where the package puts
# it.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in fonts-wine fonts-liberation2 libqt6widgets6; do
    grep -q "$needed" <<<"$depends" || { echo "missing dependency: $needed"; exit 1; }
done

# Every declared dependency is a Debian 12 package that apt can satisfy.
apt-get install --simulate --no-install-recommends "$deb" >/dev/null

dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/speed-velantra \
         usr/share/applications/example.velantra.SpeedVelantra.desktop \
         usr/share/metainfo/example.velantra.SpeedVelantra.metainfo.xml \
         usr/share/icons/hicolor/48x48/apps/example.velantra.SpeedVelantra.png \
         usr/share/icons/hicolor/256x256/apps/example.velantra.SpeedVelantra.png \
         usr/share/man/man1/speed-velantra.1.gz \
         usr/share/doc/speed-velantra/copyright \
         usr/share/doc/speed-velantra/changelog.gz; do
    [ -f "$work/root/$f" ] || { echo "not in the package: $f"; exit 1; }
done

# The section agrees with the launcher's main category.
section=$(dpkg-deb -f "$deb" Section)
[ "$section" = education ] || { echo "section is '$section', not education"; exit 1; }
grep -qx 'Categories=Education;Math;' "$work/root/usr/share/applications/example.velantra.SpeedVelantra.desktop" \
    || { echo "the packaged launcher is not in Education;Math;"; exit 1; }

# The program is stripped, hardened and finds Qt where the system keeps it.
binary=$work/root/usr/bin/speed-velantra
dynamic=$(readelf -d "$binary")
if grep -qE 'RPATH|RUNPATH' <<<"$dynamic"; then echo "the program carries a run path"; exit 1; fi
grep -qE 'FLAGS.*BIND_NOW|FLAGS_1.*NOW' <<<"$dynamic" || { echo "not linked with bind-now"; exit 1; }
grep -q 'FLAGS_1.*PIE' <<<"$dynamic" || { echo "not a position-independent executable"; exit 1; }
readelf -lW "$binary" | grep -q GNU_RELRO || { echo "no read-only relocations"; exit 1; }
if readelf -SW "$binary" | grep -qE '\.symtab|\.debug_'; then echo "the program is not stripped"; exit 1; fi
symbols=$(readelf --dyn-syms -W "$binary")
grep -q '__stack_chk_fail' <<<"$symbols" || { echo "no stack protector"; exit 1; }
# Checked C library calls (fortify) are looked for by lintian below: it names any call
# that could be checked and is not (hardening-no-fortify-functions).

# lintian: any error or warning fails. The notes that remain are named here, each with
# the reason it stays.
allowed=(
    # none remain today; a tag is added here only with the reason it stays
)
report=$(lintian --display-info --pedantic --no-cfg --fail-on none "$deb" 2>&1) \
    || { echo "$report"; echo "lintian did not run"; exit 1; }
echo "$report"
unexpected=$(grep -E '^[EWIPX]: ' <<<"$report" || true)
for tag in "${allowed[@]}"; do
    unexpected=$(grep -v " $tag\( \|$\)" <<<"$unexpected" || true)
done
if [ -n "$unexpected" ]; then
    echo "lintian findings not accepted:"
    echo "$unexpected"
    exit 1
fi

# The packaged program starts and keeps running until it is stopped, on a screen it
# fits (the offscreen platform's own is too narrow for it).
tests_dir=$(cd "$(dirname "$0")/.." && pwd)
(cd "$tests_dir" && exec env QT_QPA_PLATFORM=offscreen:configfile=screen-1280x800.json HOME="$work/home" \
    "$work/root/usr/bin/speed-velantra") &
pid=$!
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" || true
    echo "the packaged program did not keep running"
    exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "package ok"
