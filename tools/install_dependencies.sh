#!/usr/bin/env bash
# Installs, from Debian's archive, whatever of the build and test dependencies is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config libx11-dev libxdamage-dev libxtst-dev
  qt6-base-dev libgif-dev
  clang libclang-rt-14-dev clang-format
  xvfb xdotool x11-utils imagemagick fonts-noto-cjk
  locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root (or with sudo) to install the missing packages." >&2
    exit 1
  fi
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi
