#!/usr/bin/env bash
# The launcher and the AppStream metadata pass their validators.
set -euo pipefail
dir=$1
desktop-file-validate "$dir/example.velantra.SpeedVelantra.desktop"
appstreamcli validate --no-net "$dir/example.velantra.SpeedVelantra.metainfo.xml"
echo "desktop files valid"
