#!/usr/bin/env bash
# Plays the built game in the build's data folder before the tests that read the pack there, as a
# player does who runs scripts/play.sh and then scripts/test.sh: a start without a display (what
# play.sh does on a machine without one), then one offscreen that reaches the game and is ended by
# SIGTERM. The folder then holds what a game leaves beside its pack (Marblix.lock, Log.txt,
# Config.bin), which no test may take for a part of the pack.
# Usage: played_data_folder.sh <game binary> <data folder>
set -euo pipefail
game=$1 data=$2
[ -x "$game" ] && [ -f "$data/strings.txt" ] || { echo "no game or pack built: nothing played"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; cat "$work/game.out"; exit 1; }
export XDG_CONFIG_HOME=$work SDL_AUDIODRIVER=dummy ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
mkdir -p "$work/Quorvane/Marblix" && echo "Fullscreen=0" > "$work/Quorvane/Marblix/settings"
cd "$data"

status=0
env -u SDL_VIDEODRIVER -u DISPLAY -u WAYLAND_DISPLAY "$game" > "$work/game.out" 2>&1 || status=$?
[ $status = 1 ] || fail "a start without a display ended with status $status, not 1"

touch "$work/started"
SDL_VIDEODRIVER=offscreen "$game" > "$work/game.out" 2>&1 &
pid=$!
for _ in $(seq 1 1200); do
  [ Log.txt -nt "$work/started" ] && grep -q "Loading config" Log.txt && break
  kill -0 $pid 2>/dev/null || { wait $pid || fail "the start ended with an error"; exit 0; }  # a game plays here already
  sleep 0.1
done
kill -TERM $pid
wait $pid || fail "SIGTERM ended the game with an error"
for file in Marblix.lock Log.txt Config.bin; do [ -f "$file" ] || fail "the game left no $file"; done
