#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/build.sh"
exec "$root/build/speed-velantra"
