#!/usr/bin/env bash
# Builds the soak bot and plays seeded games of the whole program headless, checking every frame.
#   scripts/soak.sh --games 10000                # the full soak in the optimised build
#   scripts/soak.sh --sanitize --games 500       # in the AddressSanitizer/UBSan build
#   scripts/soak.sh --replay 0x... --session-games 10   # replays a failed session
set -euo pipefail
cd "$(dirname "$0")/.."

preset=default
if [[ "${1:-}" == "--sanitize" ]]; then
  preset=sanitize
  shift
fi
dir=build
[[ $preset == sanitize ]] && dir=build-sanitize

[[ -f $dir/CMakeCache.txt ]] || cmake --preset "$preset"
cmake --build "$dir" --target marblix_soak -j2
exec "$dir/tests/integration/soak/marblix_soak" "$@"
