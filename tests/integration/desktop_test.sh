#!/usr/bin/env bash
# The game as an installed desktop application, headless: installed into a temporary prefix, its
# launcher entry and metainfo valid, started from another folder with its files in the XDG data
# folder; the session's signals end it in time, keeping the game and an unreadable Config.bin;
# without a display it says so, in the player's language, and ends with status 1.
# Usage: desktop_test.sh <build folder> <source folder> <time limit for an ending, in ms>
set -euo pipefail
build=$1 source=$2 limit=$3

[ -f "$build/data/strings.txt" ] || { echo "no asset pack in $build/data: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; for f in "$work"/*.out "$work"/xdg/marblix/Log.txt; do [ -f "$f" ] && { echo "--- $f"; tail -20 "$f"; }; done; exit 1; }
# The software rasteriser keeps its compiled shaders to the end of the process.
export ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

cmake --install "$build" --prefix "$work/prefix" > "$work/install.out" || fail "install"
prefix=$work/prefix
for file in bin/marblix share/marblix/strings.txt share/marblix/graphics/ingame.tga \
    share/applications/marblix.desktop share/metainfo/marblix.metainfo.xml share/man/man6/marblix.6; do
  [ -e "$prefix/$file" ] || fail "$file not installed"
done
for size in 48 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/marblix.png
  [ "$(identify -format %wx%h "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size}x${size} icon"
done
desktop-file-validate "$prefix/share/applications/marblix.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/marblix.metainfo.xml" || fail "metainfo"

# The installed game, moved to another prefix (it finds its pack from its own folder), started in
# a folder of its own.
mv "$prefix" "$work/moved"
game=$work/moved/bin/marblix
mkdir -p "$work/elsewhere" "$work/config/Quorvane/Marblix"
cd "$work/elsewhere"
export XDG_DATA_HOME=$work/xdg XDG_CONFIG_HOME=$work/config SDL_VIDEODRIVER=offscreen
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export MARBLIX_LANGUAGE=en  # the lines checked below are the English ones
echo "Fullscreen=0" > "$XDG_CONFIG_HOME/Quorvane/Marblix/settings"
files=$XDG_DATA_HOME/marblix

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
# start <name>: the game in the background, its output in <name>.out
start() { rm -f "$files/Log.txt"; "$game" > "$work/$1.out" 2>&1 & pid=$!; }
wait_log() {  # wait_log <line>: until the log has it
  for i in $(seq 1 1200); do
    grep -q "$1" "$files/Log.txt" 2>/dev/null && return 0
    kill -0 $pid 2>/dev/null || fail "the game ended before \"$1\""
    sleep 0.05
  done
  fail "no \"$1\" in the log"
}
end_with() {  # end_with <signal> [last log line]: the game must end with status 0 in time
  local begin status=0 last=${2:-Saving config \.\.\.}
  begin=$(now_ms)
  kill -"$1" $pid
  wait $pid || status=$?
  local took=$(( $(now_ms) - begin ))
  [ $status = 0 ] || fail "SIG$1 ended the game with status $status"
  [ $took -le "$limit" ] || fail "SIG$1 took $took ms to end the game (limit $limit ms)"
  tail -1 "$files/Log.txt" | grep -q "$last" || fail "the log does not end with \"$last\""
  echo "SIG$1 ended the game in $took ms"
}
saved_game() {  # prints the saved-game flag and score of Config.bin
  python3 -c "import sys; d=open(sys.argv[1],'rb').read(); print(len(d), d[608], int.from_bytes(d[610:614],'little',signed=True))" "$1"
}

# First start: the folder is made, the log and Config.bin are in it and not in the current folder.
start first
wait_log "Loading config"
end_with TERM
[ "$(saved_game "$files/Config.bin" | cut -d' ' -f1)" = 1450 ] || fail "no Config.bin in $files"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "files written in the current folder: $(ls -A)"

# A game with a score, on the game screen: SIGTERM keeps it for the next start.
python3 "$source/scripts/make_config.py" "$files/Config.bin" sparse 10
start game
wait_log "Loading config"
sleep 0.5
end_with TERM
[ "$(saved_game "$files/Config.bin")" = "1450 1 10" ] || fail "the game was not kept: $(saved_game "$files/Config.bin")"

# During the logo and during loading, the signals end it as a close does: Config.bin untouched.
cp "$files/Config.bin" "$work/kept.bin"
start logo
wait_log "Starting Logo"
end_with HUP
start loading
wait_log "Loading Ingame Resources"
end_with INT
grep -q "Loading config" "$files/Log.txt" && fail "loading went on after SIGINT"
cmp -s "$files/Config.bin" "$work/kept.bin" || fail "Config.bin changed by an ending during start-up"

# A Config.bin that cannot be read is left as it is; the run's scores go to Config.bin.new.
rm "$files/Config.bin"
mkdir "$files/Config.bin"
echo "kept" > "$files/Config.bin/inside"
start unreadable
wait_log "Loading config"
end_with TERM "This run's scores are saved in \".*Config.bin.new\""
[ -d "$files/Config.bin" ] && [ "$(cat "$files/Config.bin/inside")" = kept ] || fail "Config.bin was touched"
[ "$(saved_game "$files/Config.bin.new" | cut -d' ' -f1)" = 1450 ] || fail "no Config.bin.new"
grep -q 'Cannot read ".*Config.bin": Is a directory' "$work/unreadable.out" || fail "stderr does not say it"
grep -q 'saved in ".*Config.bin.new"' "$work/unreadable.out" || fail "stderr does not say where the scores went"
if [ "$(id -u)" != 0 ]; then
  rm -rf "$files/Config.bin" "$files/Config.bin.new"
  cp "$work/kept.bin" "$files/Config.bin"
  chmod 000 "$files/Config.bin"
  start denied
  wait_log "Loading config"
  end_with TERM
  chmod 600 "$files/Config.bin"
  cmp -s "$files/Config.bin" "$work/kept.bin" || fail "an unreadable Config.bin was written over"
else
  echo "mode 000: skipped (root reads every file)"
fi

# No display at all: one line on the standard error, status 1.
begin=$(now_ms)
status=0
env -u SDL_VIDEODRIVER -u DISPLAY -u WAYLAND_DISPLAY "$game" > "$work/nodisplay.out" 2>&1 || status=$?
took=$(( $(now_ms) - begin ))
[ $status = 1 ] || fail "without a display the status is $status"
[ $took -le "$limit" ] || fail "without a display it took $took ms"
[ "$(wc -l < "$work/nodisplay.out")" = 1 ] || fail "more than one line: $(cat "$work/nodisplay.out")"
grep -q "^Marblix needs a graphical display: .*(DISPLAY is not set)" "$work/nodisplay.out" ||
  fail "the line says: $(cat "$work/nodisplay.out")"
# In German where the player's environment asks for it.
env -u SDL_VIDEODRIVER -u DISPLAY -u WAYLAND_DISPLAY -u MARBLIX_LANGUAGE LANG=de_DE.UTF-8 \
  "$game" > "$work/nodisplay-de.out" 2>&1 || true
grep -q "^Marblix braucht eine grafische Oberfläche: .*(DISPLAY ist nicht gesetzt)" \
  "$work/nodisplay-de.out" || fail "the German line says: $(cat "$work/nodisplay-de.out")"
echo "desktop test passed"
