#!/usr/bin/env bash
# Installs the Debian 12 packages Driftglyph needs to build, run and test.
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache librsvg2-bin
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libqt6test6 qt6-qpa-plugins qt6-translations-l10n
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation2 fonts-noto-color-emoji
  xvfb xauth imagemagick
  pkg-config libxcb1-dev libxcb-render0-dev openbox xdotool x11-utils xscreensaver
  desktop-file-utils appstream lintian
  qt6-wayland libwayland-dev wayland-protocols plasma-wayland-protocols libxcb-screensaver0-dev
  sway grim wtype
  libsqlite3-dev libzip-dev libzstd-dev sqlite3 zstd
)
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
