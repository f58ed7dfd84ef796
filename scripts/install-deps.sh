#!/usr/bin/env bash
# Installs exactly the Debian packages Marblix needs to build, run and test; skips what is there.
#   scripts/install-deps.sh           the Linux build
#   scripts/install-deps.sh windows   also the Windows cross build, Wine and NSIS
set -euo pipefail

packages=(
  build-essential cmake pkg-config git ccache clang libclang-rt-14-dev clang-format clang-tidy
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libsdl2-mixer-dev libepoxy-dev libjpeg-dev
  libvorbis-dev libogg-dev libcairo2-dev libfreetype-dev fonts-dejavu-core
  libpango1.0-dev libpng-dev fonts-noto-cjk gettext
  libgl1-mesa-dri libegl-mesa0
  xvfb xdotool x11-utils openbox imagemagick
  desktop-file-utils appstream python3
)
if [ "${1:-}" = windows ]; then
  packages+=(mingw-w64 wine64 nsis nasm meson ninja-build dpkg-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
