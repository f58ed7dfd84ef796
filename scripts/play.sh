#!/usr/bin/env bash
# Installs what is missing, builds the game and its asset pack (nothing else: the tests, benchmarks
# and tools are built by scripts/test.sh, in the same build folder, reusing what is built here), and
# starts it in build/data.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target marblix
cd build/data
exec ../marblix "$@"
