#!/usr/bin/env bash
# The real game played by keys alone under Xvfb: resume a saved game with Y, move the cell
# cursor, select a ball with Space, move it to complete a row, open the exit question with Escape
# and answer Y. Config.bin must then hold the score of the row and be byte for byte what the same
# move made with the mouse leaves.
# Usage: keys_test.sh <game binary> <data folder> <make_config.py>
set -euo pipefail
game=$1 data=$2 make_config=$3

command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || { echo "xvfb-run or xdotool missing: skipped"; exit 77; }
. "$(dirname "$0")/game_folder.sh"
game_folder "$data"

cat > "$work/drive.sh" <<DRIVE
#!/usr/bin/env bash
set -euo pipefail
cd "$work"
fail() { echo "FAIL: \$*"; cat game.out; [ -f Log.txt ] && cat Log.txt; kill \$pid 2>/dev/null; exit 1; }
start() {
  python3 "$make_config" Config.bin line 10
  rm -f Log.txt
  "$game" > game.out 2>&1 &
  pid=\$!
  for i in \$(seq 1 600); do
    grep -q "Loading config" Log.txt 2>/dev/null && break
    kill -0 \$pid 2>/dev/null || fail "the game ended during start-up"
    sleep 0.1
  done
  grep -q "Loading config" Log.txt || fail "the game never finished loading"
  sleep 1
  wid=\$(xdotool search --name '^Marblix v1.00\$' | head -1)
  [ -n "\$wid" ] || fail "no game window"
}
finish() {
  for i in \$(seq 1 100); do kill -0 \$pid 2>/dev/null || break; sleep 0.1; done
  kill -0 \$pid 2>/dev/null && fail "\$1 did not end the game"
  wait \$pid || fail "the game ended with an error"
}
keys() { for key in "\$@"; do xdotool key --clearmodifiers "\$key"; sleep 0.15; done; }
click() { xdotool mousemove --window "\$wid" "\$1" "\$2"; sleep 0.3; xdotool click 1; sleep 0.5; }

# By keys: the pointer rests outside the window, which holds the keyboard focus.
xdotool mousemove 0 0
start
xdotool windowfocus --sync "\$wid"
keys y                                   # the resume question: go on
keys Up Up Up Up Up                      # the first shows the cursor on (4, 4); then up to (4, 0)
keys space                               # select the ball there
keys Down Down Down Down                 # to (4, 4): the path shows
keys Return                              # move: the row 0..4 of row 4 is complete
sleep 2
keys Escape                              # nothing selected: the exit question
sleep 0.5
keys y
finish "Y to the exit question"
mv Config.bin by-keys.bin

# The same by the mouse.
start
click 466 344                            # Yes: go on
click 531 51                             # the ball at (4, 0)
click 531 259                            # to (4, 4)
sleep 2
click 140 536                            # Exit
click 466 344                            # Yes
finish "Yes to the exit question"
mv Config.bin by-mouse.bin
DRIVE
chmod +x "$work/drive.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/drive.sh"

saved=$(python3 -c "import sys; d=open(sys.argv[1],'rb').read(); print(len(d), d[608], int.from_bytes(d[610:614],'little',signed=True))" "$work/by-keys.bin")
[ "$saved" = "1450 1 60" ] || { echo "FAIL: the game by keys saved (size, flag, score) $saved, not 1450 1 60"; exit 1; }
cmp "$work/by-keys.bin" "$work/by-mouse.bin" || { echo "FAIL: Config.bin by keys differs from Config.bin by the mouse"; exit 1; }
echo "keys test passed"
