#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source, build and script file names its licence in its first lines, so a file
# copied out of the project still says under which terms it may be used.
set -euo pipefail
root=$1
cd "$root"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files=$(git ls-files -- '*.cpp' '*.h' '*.sh' '*CMakeLists.txt' '.ci/*')
else
    files=$(find . \( -path ./build -o -path './build-*' -o -path ./.git \) -prune -o -type f \
        \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name CMakeLists.txt -o -path './.ci/*' \) -print)
fi
missing=()
for f in $files; do
    head -n 3 "$f" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || missing+=("$f")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "files without 'SPDX-License-Identifier: GPL-3.0-or-later' in their first three lines:"
    printf '  %s\n' "${missing[@]}"
    exit 1
fi
echo "$(wc -w <<<"$files") files name their licence"
