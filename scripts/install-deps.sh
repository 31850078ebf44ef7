#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
  qt6-charts-dev qt6-serialport-dev qt6-multimedia-dev qt6-tools-dev qt6-translations-l10n
  libgl1-mesa-dev libxkbcommon-dev
  libgtest-dev libgmock-dev
  libusb-1.0-0-dev libxlsxwriter-dev libfreexl-dev libminizip-dev libqt6opengl6-dev
  libsqlite3-dev sqlite3
  postgresql postgresql-client
  unicode-data
  python3-openpyxl python3-xlwt fonts-noto-cjk xvfb xauth
  poppler-utils
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
