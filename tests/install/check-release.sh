#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The source release of the committed tree: made twice, from this checkout and from a
# clone in another folder, under another time zone, locale and umask, it is the same file;
# it holds exactly the committed files under speed-velantra-VERSION/, owned by root, with
# the commit's time.
set -euo pipefail
src=$1
if ! git -C "$src" rev-parse --verify -q HEAD >/dev/null 2>&1; then
    echo "not a git checkout: there is no committed tree to release"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

one=$(cd "$src" && TZ=UTC LC_ALL=C.UTF-8 bash -c 'umask 002 && bash tools/release.sh "$0"' "$work/one" | tail -n 1)
git clone -q "$src" "$work/clone/elsewhere"
[ "$(git -C "$work/clone/elsewhere" rev-parse HEAD)" = "$(git -C "$src" rev-parse HEAD)" ] \
    || { echo "the clone is not at the checkout's commit"; exit 1; }
two=$(cd "$work/clone/elsewhere" && TZ=Asia/Kathmandu LC_ALL=C bash -c 'umask 077 && bash tools/release.sh "$0"' "$work/two" \
      | tail -n 1)
sha256sum "$one" "$two"
cmp "$one" "$two" || { echo "two releases of one commit differ"; exit 1; }

version=$(sed -n 's/^project(SpeedVelantra VERSION \([0-9][0-9.]*\) .*/\1/p' "$src/CMakeLists.txt")
[ "$(basename "$one")" = "speed-velantra-$version.tar.xz" ] || { echo "named $(basename "$one"), not for version $version"; exit 1; }
xz -t "$one"

# Exactly the committed files, nothing built, ignored or uncommitted.
prefix=speed-velantra-$version/
diff -u <(git -C "$src" ls-tree -r --name-only HEAD | sort) \
        <(tar -tJf "$one" | grep -v '/$' | sed "s|^$prefix||" | sort) \
    || { echo "the release does not hold exactly the committed files"; exit 1; }
if tar -tJf "$one" | grep -qv "^$prefix"; then echo "a member lies outside $prefix"; exit 1; fi

# Owned by root, dated with the commit.
committed=$(TZ=UTC git -C "$src" log -1 --format=%cd --date=format-local:'%Y-%m-%d %H:%M')
odd=$(TZ=UTC tar --numeric-owner --full-time -tvJf "$one" | awk -v when="$committed" \
      '$2 != "0/0" || ($4 " " substr($5, 1, 5)) != when' || true)
[ -z "$odd" ] || { echo "members not owned by 0/0 or not dated $committed:"; echo "$odd"; exit 1; }
echo "release ok: $(basename "$one")"
