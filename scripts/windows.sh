#!/usr/bin/env bash
# Builds Marblix for 64-bit Windows on Debian 12: installs what it needs, cross-builds the libraries
# once (scripts/windows-deps.sh, cached outside the tree), takes the pack from the native build,
# builds marblix.exe and the tests into build-windows/ and writes
# build-windows/Marblix-<version>-win64.zip and build-windows/Marblix-<version>-setup.exe.
#   scripts/windows.sh          build and pack
#   scripts/windows.sh --test   also run the tests under Wine and Xvfb, and the installer's test
set -euo pipefail
cd "$(dirname "$0")/.."

run_tests=false
[ "${1:-}" = "--test" ] && run_tests=true

scripts/install-deps.sh windows
prefix=$(scripts/windows-deps.sh | tail -n 1)

# The generator runs natively: the native build makes the pack and the icon.
if [ ! -f build/data.stamp ] || [ ! -f build/icons/marblix.ico ]; then
  cmake --preset default
fi
cmake --build build --target marblix_data marblix_icon_files -j 2

# A new prefix (new sources or flags) makes every library found before stale.
fresh=()
grep -qsx "MARBLIX_WINDOWS_PREFIX:PATH=$prefix" build-windows/CMakeCache.txt || fresh=(--fresh)
cmake --preset windows "${fresh[@]}" -DMARBLIX_WINDOWS_PREFIX="$prefix"
cmake --build --preset windows
cmake --build build-windows --target marblix_zip marblix_setup

if $run_tests; then
  tests/windows/run_tests.sh build-windows
fi
ls -l build-windows/Marblix-*-win64.zip build-windows/Marblix-*-setup.exe
