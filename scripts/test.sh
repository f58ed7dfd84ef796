#!/usr/bin/env bash
# Checks formatting and runs the static checks, builds and runs the whole test suite twice (the
# optimised build and the sanitizer build), then builds the fuzz targets with clang and runs each
# for a short smoke.
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
  # The static checks read the default build's compile commands.
  if [ "$preset" = default ]; then scripts/lint.sh; fi
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

echo "=== fuzz smoke ==="
scripts/fuzz.sh -t "${MARBLIX_FUZZ_SECONDS:-20}"
