#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the program and the tests need, when missing.
#   deps.sh          everything: the program, the tests, the benchmarks, the packaging
#   deps.sh program  only what building and running the program needs
#   deps.sh package  that, and what building its Debian package needs
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev libxcb-xkb-dev libfontconfig-dev pkgconf qt6-qpa-plugins
          fonts-wine fonts-liberation2)
case "${1:-all}" in
    program) ;;
    package) packages+=(dpkg-dev) ;;
    *) packages+=(xvfb xauth openbox icewm xfwm4 dbus qt6ct imagemagick xdotool x11-utils x11-xserver-utils stress-ng
               weston sway xwayland qt6-wayland python3-xlib mutter desktop-file-utils appstream dpkg-dev lintian git
               xz-utils diffoscope-minimal orca at-spi2-core speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
               python3-pyatspi bsdutils) ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
