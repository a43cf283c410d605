#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One list of releases: NEWS. Its newest release is the project's version, the AppStream
# metadata carries the same release entries, and the build's Debian changelog and manual
# page carry its versions and dates (read back with Debian's own parser and GNU date).
set -euo pipefail
src=$1
build=$2
bash "$src/tools/release-notes.sh" --check "$src"

versions=$(sed -n 's/^Version \([0-9][0-9.]*\)$/\1/p' "$src/NEWS")
dates=$(sed -n 's/^Released: //p' "$src/NEWS")
[ "$(wc -l <<<"$versions")" = "$(wc -l <<<"$dates")" ] || { echo "NEWS: a release without its date"; exit 1; }

changelog=$build/changelog
[ "$(dpkg-parsechangelog -l "$changelog" --all -S Version)" = "$versions" ] \
    || { echo "the Debian changelog's versions are not NEWS's:"; dpkg-parsechangelog -l "$changelog" --all -S Version; exit 1; }
expected_dates=$(while read -r d; do LC_ALL=C date -u -R -d "$d"; done <<<"$dates")
[ "$(dpkg-parsechangelog -l "$changelog" --all -S Date)" = "$expected_dates" ] \
    || { echo "the Debian changelog's dates are not NEWS's:"; dpkg-parsechangelog -l "$changelog" --all -S Date; exit 1; }
[ "$(gzip -dc "$build/changelog.gz")" = "$(cat "$changelog")" ] || { echo "changelog.gz is not the changelog"; exit 1; }

newest_version=$(head -n 1 <<<"$versions")
month=$(LC_ALL=C date -u -d "$(head -n 1 <<<"$dates")" '+%B %Y')
gzip -dc "$build/speed-velantra.1.gz" | grep -qxF ".TH SPEED-VELANTRA 1 \"$month\" \"speed-velantra $newest_version\" \"User Commands\"" \
    || { echo "the manual page is not dated $month for $newest_version:"; gzip -dc "$build/speed-velantra.1.gz" | grep '^\.TH'; exit 1; }
echo "release notes ok: $(wc -l <<<"$versions") release(s), newest $newest_version of $(head -n 1 <<<"$dates")"
