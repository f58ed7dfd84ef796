#!/usr/bin/env bash
# The real game under Xvfb: a saved game resumed, a scoring move, SIGKILL once the board rests;
# Config.bin holds the new score and board, and the next start offers that game. A second start
# meanwhile exits 0 at once leaving Log.txt and Config.bin as they were; the first quits normally.
# A start while another program holds Marblix.lock says so and ends with status 1.
# Usage: kept_game_test.sh <game binary> <data folder> <make_config.py>
set -euo pipefail
game=$1 data=$2 make_config=$3

command -v xvfb-run >/dev/null && command -v xdotool >/dev/null && command -v openbox >/dev/null ||
  { echo "xvfb-run, xdotool or openbox missing: skipped"; exit 77; }
. "$(dirname "$0")/game_folder.sh"
game_folder "$data"

cat > "$work/drive.sh" <<DRIVE
#!/usr/bin/env bash
set -euo pipefail
cd "$work"
openbox > /dev/null 2>&1 &
fail() { echo "FAIL: \$*"; cat game.out; kill \$pid 2>/dev/null; exit 1; }
# Size, saved-game flag, score, and the balls left on row 4's first five cells and at (4, 0).
saved() {
  python3 -c "d=open('Config.bin','rb').read(); m=lambda x,y: d[650+80*x+8*y:654+80*x+8*y]!=bytes(4); print(len(d), d[608], int.from_bytes(d[610:614],'little'), sum(m(x,4) for x in range(5))+m(4,0))"
}
start() {
  rm -f Log.txt
  "$game" > game.out 2>&1 &
  pid=\$!
  for i in \$(seq 1 600); do grep -q "Loading config" Log.txt 2>/dev/null && break; sleep 0.1; done
  grep -q "Loading config" Log.txt || fail "the game never finished loading"
  sleep 1
  wid=\$(xdotool search --name '^Marblix v1.00\$' | head -1)
}
click() { xdotool mousemove --window "\$wid" "\$1" "\$2"; sleep 0.3; xdotool click 1; sleep 0.5; }

python3 "$make_config" Config.bin line 10
start
click 466 344; click 531 51; click 531 259     # go on; the ball at (4, 0) to (4, 4): a row
for i in \$(seq 1 100); do [ "\$(saved)" = "1450 1 60 0" ] && break; sleep 0.05; done
kill -KILL \$pid; wait \$pid 2>/dev/null || true
[ "\$(saved)" = "1450 1 60 0" ] || fail "killed after the move, Config.bin holds \$(saved)"
cp Config.bin kept.bin

start
cp Log.txt log.bin
begin=\$(date +%s%N)
"$game" > second.out 2>&1 || fail "the second start ended with status \$?"
took=\$(( (\$(date +%s%N) - begin) / 1000000 ))
[ \$took -le 2000 ] || fail "the second start took \$took ms"
cmp -s Log.txt log.bin && cmp -s Config.bin kept.bin || fail "the second start changed the files"
click 466 344; click 140 536; click 466 344    # go on with the kept game; Exit; Yes
for i in \$(seq 1 100); do kill -0 \$pid 2>/dev/null || break; sleep 0.1; done
wait \$pid || fail "the first game did not end normally"
tail -1 Log.txt | grep -q "Saving config" || fail "the log does not end with Saving config"
cmp -s Config.bin kept.bin || fail "the kept game was not offered and written back: \$(saved)"
echo "second start: \$took ms"

# Another program holding the lock is no game to bring to the front.
python3 -c 'import fcntl, time; f = open("Marblix.lock", "r+"); fcntl.lockf(f, fcntl.LOCK_EX); open("held", "w").close(); time.sleep(60)' &
holder=\$!
for i in \$(seq 1 100); do [ -f held ] && break; sleep 0.1; done
status=0
"$game" > unreachable.out 2>&1 || status=\$?
kill \$holder
[ \$status = 1 ] || fail "a start that cannot reach the lock's holder ended with status \$status"
grep -q "process \$holder holds \".*Marblix.lock\"" unreachable.out || fail "\$(cat unreachable.out)"
cmp -s Config.bin kept.bin || fail "the unreachable start changed Config.bin"
DRIVE
chmod +x "$work/drive.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/drive.sh"
echo "kept game test passed"
