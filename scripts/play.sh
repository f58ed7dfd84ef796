#!/usr/bin/env bash
# Installs what is missing, builds the game and its asset pack, and starts it in build/data.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
cd build/data
exec ../marblix "$@"
