#!/usr/bin/env bash
# Plays the built game in the build's data folder before the tests that read the pack there, as a
# player does who runs scripts/play.sh and then scripts/test.sh: a start without a display (what
# play.sh does on a machine without one), then a start offscreen that reaches the game and is ended
# by SIGTERM, as a logout ends it. The folder then holds what a game leaves beside its pack
# (Marblix.lock, Log.txt, Config.bin), which no test may take for a part of the pack.
# Usage: played_data_folder.sh <game binary> <data folder>
set -euo pipefail
game=$1 data=$2

if [ ! -x "$game" ] || [ ! -f "$data/strings.txt" ]; then
  echo "no game or no asset pack built: nothing played"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; cat "$work/game.out" 2>/dev/null; tail -5 "$data/Log.txt" 2>/dev/null; exit 1; }
export XDG_CONFIG_HOME=$work/config SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_CONFIG_HOME/Quorvane/Marblix"
echo "Fullscreen=0" > "$XDG_CONFIG_HOME/Quorvane/Marblix/settings"
# The software rasteriser keeps its compiled shaders to the end of the process.
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
cd "$data"

status=0
env -u SDL_VIDEODRIVER -u DISPLAY -u WAYLAND_DISPLAY "$game" > "$work/game.out" 2>&1 || status=$?
[ $status = 1 ] || fail "a start without a display ended with status $status, not 1"

touch "$work/started"
SDL_VIDEODRIVER=offscreen "$game" > "$work/game.out" 2>&1 &
pid=$!
for _ in $(seq 1 1200); do
  [ Log.txt -nt "$work/started" ] && grep -q "Loading config" Log.txt && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
if ! kill -0 $pid 2>/dev/null; then
  # A player's game holds the folder: this start handed it the request and ended; the folder has
  # been played in all the same.
  wait $pid || fail "the game ended during start-up with an error"
  echo "a game is running in $data already"
  exit 0
fi
grep -q "Loading config" Log.txt || fail "the game never finished loading"
kill -TERM $pid
wait $pid || fail "SIGTERM ended the game with an error"
for file in Marblix.lock Log.txt Config.bin; do
  [ -f "$file" ] || fail "the game left no $file in $data"
done
echo "played in $data: $(ls)"
