#!/usr/bin/env bash
# The Windows release as a player meets it, under Wine and Xvfb: a fresh Wine folder for a user
# named "José" (so every path of the player's files holds a letter outside ASCII), setup.exe /S,
# then the installed game started from another folder:
#   1. first start (from another folder), full screen (the setting's default), on a system whose
#      language is German: the game speaks German, Alt+Enter and Y switch to a window for the
#      next start and end the game (exit 0); Config.bin and Log.txt are in %APPDATA%\Marblix and
#      Fullscreen is 0 in the registry, with no Language value (the system's is followed);
#   2. with a saved game put there, started in the installation's folder as its shortcut does:
#      Y resumes it, a ball moves to complete a row, Escape and Y end
#      the game (exit 0) and Config.bin holds the game with the row's score;
#   3. the next start offers that game again, and a second start meanwhile ends with 0 at once
#      touching nothing; Y resumes, a move without a line, German picked in Options (Language is
#      "de" in the registry at once), then the session ends (logoff): the game writes the changed
#      board and ends with 0 on its own;
#   4. without OpenGL 3.3 a message box says what is missing, and the game ends with status 1;
#   5. the uninstaller /S removes the game and keeps the player's files.
# Screenshots of every step go to OUTPUT_FOLDER.
# Usage: installer_test.sh SETUP_EXE OUTPUT_FOLDER MAKE_CONFIG_PY
set -euo pipefail
setup=$(realpath "$1") shots=$(realpath -m "$2") make_config=$(realpath "$3")

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
for tool in xvfb-run xdotool openbox import "$wine" "$wineserver"; do
  command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
[ -f "$setup" ] || { echo "no installer at $setup"; exit 1; }

work=$(mktemp -d)
trap 'WINEPREFIX="$work/wine" "$wineserver" -k 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$shots" "$work/elsewhere" "$work/locales"
rm -f "$shots"/*.png
# A German system for the first start: Wine takes the language from the host's locale, which this
# host may not have installed, so it is made here.
localedef -i de_DE -f UTF-8 "$work/locales/de_DE.UTF-8" 2>/dev/null ||
  { echo "localedef cannot make the German locale: skipped"; exit 77; }

cat >"$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
set -euo pipefail
export USER=José LOGNAME=José WINEPREFIX="$WORK/wine" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" SDL_AUDIODRIVER=dummy
openbox >/dev/null 2>&1 &
user="$WINEPREFIX/drive_c/users/José"
appdata="$user/AppData/Roaming/Marblix"
installed="$user/AppData/Local/Programs/Marblix"
fail() {
  echo "FAIL: $*"
  [ -f "$WORK/game.out" ] && cat "$WORK/game.out"
  [ -f "$appdata/Log.txt" ] && cat "$appdata/Log.txt"
  import -window root "$SHOTS/failure.png" 2>/dev/null || true
  exit 1
}
shot() { sleep 0.5; import -window root "$SHOTS/$1.png"; }
keys() { for key in "$@"; do xdotool key --clearmodifiers "$key"; sleep 0.3; done; }
click() { xdotool mousemove --window "$wid" "$1" "$2"; sleep 0.4; xdotool click 1; sleep 0.6; }
registry_fullscreen() {
  "$WINE" reg query 'HKCU\Software\Quorvane\Marblix' /v Fullscreen 2>/dev/null |
    awk '/Fullscreen/ {print $3}' | tr -d '\r'
}
registry_language() {
  "$WINE" reg query 'HKCU\Software\Quorvane\Marblix' /v Language 2>/dev/null |
    awk '/Language/ {print $3}' | tr -d '\r'
}
saved() {
  python3 -c "import sys; d=open(sys.argv[1],'rb').read(); print(len(d), d[608], int.from_bytes(d[610:614],'little',signed=True))" "$appdata/Config.bin"
}

# The window of that title, waited for up to 30 s; nothing when none shows.
window_named() {
  local found
  for i in $(seq 1 150); do
    found=$(xdotool search --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$found" ] && echo "$found" && return
    sleep 0.2
  done
}

# The installed game started in the given folder; `start` also waits for the end of loading and
# for its window.
start_without_waiting() {
  rm -f "$appdata/Log.txt"
  (cd "$1" && exec "$WINE" "C:\\users\\José\\AppData\\Local\\Programs\\Marblix\\marblix.exe") \
    >"$WORK/game.out" 2>&1 &
  pid=$!
}
start() {
  start_without_waiting "$1"
  for i in $(seq 1 900); do
    grep -q "Loading config" "$appdata/Log.txt" 2>/dev/null && break
    kill -0 $pid 2>/dev/null || fail "the game ended during start-up"
    sleep 0.2
  done
  grep -q "Loading config" "$appdata/Log.txt" 2>/dev/null || fail "the game never finished loading"
  wid=$(window_named 'Marblix v1.00')
  [ -n "$wid" ] || fail "no game window"
  xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
  sleep 2
}
finish() {
  for i in $(seq 1 150); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
  kill -0 $pid 2>/dev/null && fail "$1 did not end the game"
  wait $pid || fail "the game ended with status $? after $1"
}

"$WINE" wineboot -u >/dev/null 2>&1 || fail "wineboot"
"$WINE" "$SETUP" /S || fail "the silent install"
"$WINESERVER" -w
[ -f "$installed/marblix.exe" ] && [ -f "$installed/uninstall.exe" ] || fail "nothing installed in $installed"
[ -f "$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Marblix.lnk" ] || fail "no Start-menu shortcut"
"$WINE" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Marblix' /v UninstallString \
  >/dev/null 2>&1 || fail "the uninstaller is not in the user's Apps list"

# 1. First start, from another folder, on a German system: full screen and in German; Alt+Enter
# asks, Y ends it for a window next time.
LOCPATH="$WORK/locales" LANG=de_DE.UTF-8 start "$WORK/elsewhere"
shot 01-first-start-fullscreen-german
[ "$(registry_fullscreen)" = 0x1 ] || fail "the first start left Fullscreen '$(registry_fullscreen)', not 0x1"
grep -q "Language: de" "$appdata/Log.txt" || fail "on a German system the game does not speak German"
[ -z "$(registry_language)" ] || fail "the first start wrote Language '$(registry_language)'"
keys alt+Return
shot 02-full-screen-question
keys y
finish "Y to the full-screen question"
[ -f "$appdata/Config.bin" ] && [ -f "$appdata/Log.txt" ] || fail "no Config.bin and Log.txt in $appdata"
[ ! -e "$installed/Config.bin" ] || fail "Config.bin was written into the installation"
[ "$(registry_fullscreen)" = 0x0 ] || fail "Fullscreen in the registry is '$(registry_fullscreen)', not 0x0"

# 2. Windowed, with a saved game, started in the installation's folder as the Start menu's
# shortcut starts it: resume, complete a row, leave by Escape and Y.
python3 "$MAKE_CONFIG" "$appdata/Config.bin" line 10
start "$installed"
click 466 344                     # Yes: go on with the saved game
click 531 51                      # the ball at (4, 0)
click 531 259                     # to (4, 4): the row of five is complete
sleep 2
shot 03-game-windowed
keys Escape
shot 04-exit-question
keys y
finish "Escape and Y"
[ "$(saved)" = "1450 1 60" ] || fail "Config.bin holds (size, flag, score) $(saved), not 1450 1 60"
[ ! -e "$installed/Config.bin" ] && [ ! -e "$installed/Log.txt" ] ||
  fail "the game started in its installation wrote its files there"
cp "$appdata/Config.bin" "$WORK/after-row.bin"

# 3. The next start offers the game; the session's end writes the board a move changed.
start "$WORK/elsewhere"
shot 05-second-start-offers-the-game
# A second start meanwhile brings this one to the front and ends at once, touching nothing.
cp "$appdata/Log.txt" "$WORK/log-before.txt"
second_start=$(date +%s%N)
(cd "$WORK" && "$WINE" "C:\\users\\José\\AppData\\Local\\Programs\\Marblix\\marblix.exe") ||
  fail "a second start ended with status $?"
echo "a second start ended in $((($(date +%s%N) - second_start) / 1000000)) ms (Wine's own start included)"
cmp -s "$WORK/log-before.txt" "$appdata/Log.txt" || fail "a second start touched Log.txt"
cmp -s "$WORK/after-row.bin" "$appdata/Config.bin" || fail "a second start touched Config.bin"
kill -0 $pid 2>/dev/null || fail "a second start ended the first game"
click 466 344                     # Yes: go on
click 635 363                     # the ball at (6, 6)
click 323 51                      # to (0, 0): no line, new balls drop
sleep 2
# The language picked in Options speaks at once and is kept in the registry.
click 140 398                     # Options
click 689 417                     # the Language row's next language after English: Deutsch
shot 05b-options-language-picked
[ "$(registry_language)" = de ] || fail "the language picked is kept as '$(registry_language)', not de"
"$WINE" wineboot --end-session >/dev/null 2>&1 || true
finish "the session's end"
[ "$(saved)" = "1450 1 60" ] || fail "after the session's end Config.bin holds $(saved), not 1450 1 60"
cmp -s "$WORK/after-row.bin" "$appdata/Config.bin" && fail "the session's end did not write the moved board"
grep -q "Saving config" "$appdata/Log.txt" || fail "no 'Saving config' line at the session's end"

# 4. A computer whose driver offers no OpenGL 3.3 (Mesa told to offer 3.0): a message box says so,
# Log.txt too, and the game ends with status 1.
export MESA_GL_VERSION_OVERRIDE=3.0
start_without_waiting "$WORK/elsewhere"
box=$(window_named Marblix)
[ -n "$box" ] || fail "no message box without OpenGL 3.3"
shot 06-no-opengl-message
xdotool windowactivate --sync "$box" 2>/dev/null || true
keys Return
for i in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
status=0
wait $pid || status=$?
[ "$status" = 1 ] || fail "without OpenGL 3.3 the game ended with status $status, not 1"
grep -q "needs OpenGL 3.3" "$appdata/Log.txt" || fail "Log.txt does not say OpenGL 3.3 is missing"
unset MESA_GL_VERSION_OVERRIDE

# 5. The uninstaller leaves the player's files.
"$WINE" "$installed/uninstall.exe" /S || fail "the silent uninstall"
for i in $(seq 1 50); do [ -f "$installed/marblix.exe" ] || break; sleep 0.2; done
[ ! -f "$installed/marblix.exe" ] || fail "the uninstaller left the game"
[ -f "$appdata/Config.bin" ] || fail "the uninstaller took the player's Config.bin"
echo "installer test passed"
DRIVE
chmod +x "$work/drive.sh"
WORK=$work SHOTS=$shots SETUP=$setup WINE=$wine WINESERVER=$wineserver MAKE_CONFIG=$make_config \
  xvfb-run -a -s "-screen 0 1024x768x24" "$work/drive.sh"
