#!/usr/bin/env bash
# Runs every fuzz target (or the ones named) for a given time each; fails on any finding.
#   scripts/fuzz.sh [-t seconds] [-b build-folder] [--no-build] [target ...]
# One process per target at a time (no -jobs/-workers: the machine is shared).
# Corpora grow in <build>/corpus/<target>; findings land in <build>/findings/<target>.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=20
build=build-fuzz
do_build=1
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    -t) seconds=$2; shift 2 ;;
    -b) build=$2; shift 2 ;;
    --no-build) do_build=0; shift ;;
    *) targets+=("$1"); shift ;;
  esac
done
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_tga fuzz_bmp fuzz_jpeg fuzz_strings fuzz_sounds fuzz_font fuzz_config fuzz_statistics)

if [ "$do_build" = 1 ]; then
  cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
    -DMARBLIX_FUZZ=ON -DMARBLIX_TESTS=OFF >/dev/null
  cmake --build "$build" --target marblix_fuzzers -j2
fi

# Absolute paths: a target may change its working folder.
build=$(realpath "$build")

# Seeds: the hand-made edge files, and the generated pack's files when there is one.
seeds="$build/seeds"
rm -rf "$seeds"
"$build/fuzz/fuzz_seeds" "$seeds"
add_pack_files() {  # target, find-pattern
  [ -d build/data ] || return 0
  # The first 40 found; read whole first, as a reader that stops early would end find with
  # SIGPIPE, which pipefail takes for a failure once the pack has more files than that.
  local files
  mapfile -t files < <(find build/data -iname "$2" -size -64k 2>/dev/null | sort)
  for f in "${files[@]:0:40}"; do
    cp "$f" "$seeds/$1/pack_$(echo "$f" | tr '/' '_')"
  done
}
add_pack_files fuzz_tga '*.tga'
add_pack_files fuzz_bmp '*.bmp'
add_pack_files fuzz_jpeg '*.jpg'
add_pack_files fuzz_strings 'strings.txt'
add_pack_files fuzz_sounds 'sounds.txt'
add_pack_files fuzz_font '*.rls'
add_pack_files fuzz_config 'Config.bin'
# Every input that once crashed a target stays in its seeds, so each run replays it first.
for dir in fuzz/regressions/*/; do
  [ -d "$dir" ] && cp "$dir"* "$seeds/$(basename "$dir")/"
done

failed=()
summary=()
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings"
  log="$build/findings/$target.log"
  echo "=== $target: ${seconds} s ==="
  status=0
  "$build/fuzz/$target" "$corpus" "$seeds/$target" -max_total_time="$seconds" \
    -timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$log" 2>&1 || status=$?
  execs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}' | tail -1 || true)
  found=$(find "$findings" -type f | wc -l)
  summary+=("$target: ${execs:-?} executions, corpus $(ls "$corpus" | wc -l) files, $found findings")
  if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    failed+=("$target")
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -20 || true
  fi
done

echo "=== fuzz summary ==="
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
  echo "Findings in: ${failed[*]} (see $build/findings/)"
  exit 1
fi
