#!/usr/bin/env bash
# Builds and runs the whole test suite twice (the optimised build and the sanitizer build), builds
# Windows and runs its tests under Wine, checks formatting and runs the static checks, then builds
# the fuzz targets with clang and runs each for a short smoke.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# Tests never need a display, a GPU or a sound card.
export SDL_AUDIODRIVER=dummy
export LP_NUM_THREADS=${LP_NUM_THREADS:-2}
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

for preset in default sanitize; do
  echo "=== ${preset} build ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

echo "=== Windows build, tests under Wine ==="
scripts/windows.sh --test

# The static checks read the default and the Windows builds' compile commands.
echo "=== static checks ==="
scripts/lint.sh

echo "=== fuzz smoke ==="
scripts/fuzz.sh -t "${MARBLIX_FUZZ_SECONDS:-20}"
