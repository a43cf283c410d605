#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# NEWS is the one list of releases; the AppStream metadata's release entries are written
# from it, and its newest release is the project's version.
#   release-notes.sh [ROOT]            rewrites the metainfo's <releases> from NEWS
#   release-notes.sh --check [ROOT]    fails when they differ, or when the versions do
#   release-notes.sh --version [ROOT]  prints the project's version
# ROOT is the source tree, by default the one this script lies in.
set -euo pipefail
mode=write
case "${1:-}" in
    --check) mode=check; shift ;;
    --version) mode=version; shift ;;
esac
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
news=$root/NEWS
metainfo=$root/assets/linux/example.velantra.SpeedVelantra.metainfo.xml

version=$(sed -n 's/^project(SpeedVelantra VERSION \([0-9][0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
if [ -z "$version" ]; then
    echo "no project(SpeedVelantra VERSION ...) in $root/CMakeLists.txt" >&2
    exit 1
fi
if [ "$mode" = version ]; then
    echo "$version"
    exit 0
fi
newest=$(sed -n 's/^Version \([0-9][0-9.]*\)$/\1/p' "$news" | head -n 1)
if [ "$version" != "$newest" ]; then
    echo "the project's version is $version, the newest release in NEWS is '$newest'" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
appstreamcli news-to-metainfo --format=text --translatable-count=0 "$news" "$metainfo" "$work/generated.xml" >/dev/null
releases() { sed -n '/^  <releases>$/,/^  <\/releases>$/p' "$1"; }
releases "$work/generated.xml" >"$work/releases"
[ -s "$work/releases" ] || { echo "appstreamcli wrote no releases from $news" >&2; exit 1; }

if [ "$mode" = check ]; then
    if ! diff -u <(releases "$metainfo") "$work/releases"; then
        echo "the metainfo's releases are not those of NEWS: run tools/release-notes.sh" >&2
        exit 1
    fi
    echo "NEWS and the metainfo agree; newest release $version"
    exit 0
fi
# Only the release entries are replaced: appstreamcli's own writing of the whole file
# would drop details of the rest (the comparison of display_length).
awk -v releases="$work/releases" '
    /^  <releases>$/ { while ((getline line < releases) > 0) print line; skipping = 1 }
    !skipping { print }
    /^  <\/releases>$/ { skipping = 0 }' "$metainfo" >"$work/metainfo.xml"
cat "$work/metainfo.xml" >"$metainfo"
echo "release entries written from NEWS into $metainfo"
