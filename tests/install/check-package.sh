#!/usr/bin/env bash
# Builds the Debian package, checks what it holds and declares, and starts the packaged
# program (offscreen) to see that it runs from where the package puts it.
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
         usr/share/icons/hicolor/256x256/apps/example.velantra.SpeedVelantra.png; do
    [ -f "$work/root/$f" ] || { echo "not in the package: $f"; exit 1; }
done

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
