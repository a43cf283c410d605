#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The project adds its hardening only where the toolchain's flags have not chosen it,
# and never lowers their choice: the compile and link lines of the program, as ninja
# would run them, for a toolchain that asks for nothing, for Debian's own build flags, and
# for one that asks for more or for something else.
set -euo pipefail
src=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Configures a program-only build with the given flags; sets compile and link to the
# lines ninja would run for app/main.cpp and for linking the program.
configure() {
    local dir=$work/build-$1
    cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELANTRA_TESTS=OFF \
          "-DCMAKE_CXX_FLAGS=$2" "-DCMAKE_EXE_LINKER_FLAGS=$3" >/dev/null
    local commands
    commands=$(ninja -C "$dir" -t commands speed-velantra)
    compile=$(grep -m 1 -- '-c [^ ]*app/main\.cpp' <<<"$commands")
    link=$(grep -m 1 -- '-o speed-velantra ' <<<"$commands")
}
# The last of the options matching a pattern on a line: the one the compiler obeys.
last() { grep -oE -- "$2" <<<"$1" | tail -n 1 || true; }
expect() {
    local what=$1 got=$2 want=$3
    if [ "$got" != "$want" ]; then
        echo "$case: $what is '$got', expected '$want'"
        echo "compile: $compile"
        echo "link: $link"
        exit 1
    fi
}
fortify='-D_FORTIFY_SOURCE=[0-9]+'
protector='-f(no-)?stack-protector(-[a-z]+)?'

case="no flags of the toolchain's own"
configure plain "" ""
expect "fortify" "$(last "$compile" "$fortify")" "-D_FORTIFY_SOURCE=2"
expect "stack protector" "$(last "$compile" "$protector")" "-fstack-protector-strong"
expect "read-only relocations" "$(last "$link" '-z,relro')" "-z,relro"
expect "binding" "$(last "$link" '-z,(now|lazy)')" "-z,now"
grep -q -- "-ffile-prefix-map=$src=\." <<<"$compile" || { echo "$case: the source folder is not mapped"; exit 1; }

case="Debian's build flags (dpkg-buildflags)"
configure debian "$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" "$(dpkg-buildflags --get LDFLAGS)"
expect "fortify" "$(last "$compile" "$fortify")" "-D_FORTIFY_SOURCE=2"
expect "stack protector" "$(last "$compile" "$protector")" "-fstack-protector-strong"
expect "fortify given" "$(grep -oE -- "$fortify" <<<"$compile" | wc -l)" "1"
expect "binding" "$(last "$link" '-z,(now|lazy)')" "-z,now"

case="a toolchain that asks for more"
configure more "-D_FORTIFY_SOURCE=3 -fstack-protector-all" "-Wl,-z,relro,-z,now"
expect "fortify" "$(last "$compile" "$fortify")" "-D_FORTIFY_SOURCE=3"
expect "stack protector" "$(last "$compile" "$protector")" "-fstack-protector-all"
expect "binding" "$(last "$link" '-z,(now|lazy)')" "-z,now"

case="a toolchain that binds lazily and maps its own folders"
configure lazy "-ffile-prefix-map=/elsewhere=." "-Wl,-z,lazy"
expect "binding" "$(last "$link" '-z,(now|lazy)')" "-z,lazy"
if grep -q -- "-ffile-prefix-map=$src" <<<"$compile"; then echo "$case: a second folder map was added"; exit 1; fi
echo "hardening flags ok"
