#!/usr/bin/env bash
# Formatting and static checks over every tracked source, and <windows.h> only where the
# architecture allows it; exits non-zero on any finding.
#   scripts/lint.sh [-j jobs] [file ...]     (no files: the whole tree)
# clang-format checks against .clang-format, clang-tidy against .clang-tidy. clang-tidy reads the
# compile commands of the default build (build/) and, for the fuzz targets, of the clang fuzz
# build (build-fuzz/); either is configured here when it has none yet.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=2
files=()
while [ $# -gt 0 ]; do
  case "$1" in
    -j) jobs=$2; shift 2 ;;
    *) files+=("$1"); shift ;;
  esac
done
if [ ${#files[@]} -eq 0 ]; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
fi

# ARCHITECTURE.md's rule: <windows.h> only in a system's own *_windows.cpp files.
echo "=== <windows.h> only in *_windows.cpp ==="
misplaced=0
for f in "${files[@]}"; do
  case "$f" in *_windows.cpp) continue ;; esac
  if grep -HniE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]windows\.h[>"]' "$f"; then
    misplaced=1
  fi
done
if [ "$misplaced" -ne 0 ]; then
  echo "lint: <windows.h> is included above outside a *_windows.cpp file"
  exit 1
fi

echo "=== clang-format: ${#files[@]} files ==="
clang-format --dry-run --Werror "${files[@]}"

[ -f build/compile_commands.json ] || cmake --preset default >/dev/null
if [ ! -f build-fuzz/compile_commands.json ]; then
  cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
    -DMARBLIX_FUZZ=ON -DMARBLIX_TESTS=OFF >/dev/null
fi

# Headers are checked through the sources that include them (HeaderFilterRegex).
# Windows' own sources are checked with the Windows build's compile commands, where there is one.
game_sources=()
fuzz_sources=()
windows_sources=()
for f in "${files[@]}"; do
  case "$f" in
    fuzz/*.cpp) fuzz_sources+=("$f") ;;
    *_windows.cpp | *_windows_test.cpp) windows_sources+=("$f") ;;
    src/*.cpp | tools/*.cpp | tests/*.cpp | bench/*.cpp) game_sources+=("$f") ;;
  esac
done
if [ ${#windows_sources[@]} -gt 0 ] && [ ! -f build-windows/compile_commands.json ]; then
  echo "lint: no Windows build (scripts/windows.sh): ${#windows_sources[@]} Windows sources left unchecked"
  windows_sources=()
fi

# One clang-tidy run over a list of sources with a compile-command folder; prints only findings.
tidy_options=()
tidy() {  # build-folder source...
  local build=$1
  shift
  [ $# -eq 0 ] && return 0
  local out rc=0
  out=$(mktemp)
  printf '%s\0' "$@" |
    xargs -0 -P "$jobs" -n 4 clang-tidy -p "$build" --quiet "${tidy_options[@]}" >"$out" 2>&1 ||
    rc=$?
  grep -v -E '^[0-9]+ warnings?( and [0-9]+ errors?)? generated\.$' "$out" || true
  rm -f "$out"
  return "$rc"
}

echo "=== clang-tidy: ${#game_sources[@]} + ${#fuzz_sources[@]} + ${#windows_sources[@]} sources ==="
status=0
tidy build "${game_sources[@]}" || status=1
tidy build-fuzz "${fuzz_sources[@]}" || status=1
# clang reads the mingw-w64 build's commands as a mingw target with the cross compiler's headers.
if [ ${#windows_sources[@]} -gt 0 ]; then
  gcc_include=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=include/c++/cstdlib)")
  tidy_options=(--extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-Wno-unknown-warning-option
    "--extra-arg=-isystem$gcc_include" "--extra-arg=-isystem$gcc_include/x86_64-w64-mingw32"
    --extra-arg=-isystem/usr/x86_64-w64-mingw32/include)
  tidy build-windows "${windows_sources[@]}" || status=1
fi
if [ "$status" -ne 0 ]; then
  echo "lint: clang-tidy findings above"
  exit 1
fi
echo "lint: clean"
