#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the source release speed-velantra-VERSION.tar.xz of the committed tree (HEAD):
# nothing built, nothing ignored, nothing uncommitted. The same commit gives the same
# bytes: git writes the members in its own order with the commit's time, owner root
# and modes 0644/0755, and xz compresses single-threaded with a fixed preset.
#   release.sh [OUT_DIR]   (default: the current folder); prints the tarball's path
# The version is the project's (CMakeLists.txt), and NEWS and the metainfo must carry
# its release (tools/release-notes.sh --check).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-.}" && cd "${1:-.}" && pwd)
cd "$root"
git rev-parse --verify -q HEAD >/dev/null || { echo "$root is not a git checkout with a commit" >&2; exit 1; }
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "note: uncommitted changes are left out of the release" >&2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The settings that shape git's tar output are fixed here, whatever the user's own are.
archive() {
    git -c tar.umask=022 -c core.autocrlf=false -c core.eol=lf archive --format=tar "$@" HEAD
}
archive | tar -x -C "$work"
version=$(bash "$work/tools/release-notes.sh" --version "$work")
bash "$work/tools/release-notes.sh" --check "$work" >/dev/null

name=speed-velantra-$version
archive --prefix="$name/" | xz -6 -T1 --check=crc64 -c >"$work/$name.tar.xz"
mv "$work/$name.tar.xz" "$out/$name.tar.xz"
echo "$out/$name.tar.xz"
