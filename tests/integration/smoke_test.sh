#!/usr/bin/env bash
# Smoke test of the real game under Xvfb: it reaches the game screen with its caption, a close
# request opens the exit question, and Yes ends it with Config.bin written.
# Usage: smoke_test.sh <game binary> <data folder> <close_request binary>
set -euo pipefail
game=$1 data=$2 close_request=$3

command -v xvfb-run >/dev/null || { echo "xvfb-run missing: skipped"; exit 77; }
. "$(dirname "$0")/game_folder.sh"
game_folder "$data"

cat > "$work/drive.sh" <<DRIVE
#!/usr/bin/env bash
set -euo pipefail
cd "$work"
"$game" > game.out 2>&1 &
pid=\$!
fail() { echo "FAIL: \$*"; cat game.out; [ -f Log.txt ] && cat Log.txt; kill \$pid 2>/dev/null; exit 1; }
for i in \$(seq 1 600); do
  grep -q "Loading config" Log.txt 2>/dev/null && break
  kill -0 \$pid 2>/dev/null || fail "the game ended during start-up"
  sleep 0.1
done
grep -q "Loading config" Log.txt || fail "the game never finished loading"
sleep 1
wid=\$(xdotool search --name '^Marblix v1.00\$' | head -1)
[ -n "\$wid" ] || fail "no window titled Marblix v1.00"
"$close_request" "\$wid"
sleep 1
kill -0 \$pid 2>/dev/null || fail "a close request during play ended the game without asking"
grep -q "Saving config" Log.txt && fail "the game shut down before the answer"
xdotool mousemove --window "\$wid" 466 344
sleep 0.3
xdotool click 1
for i in \$(seq 1 100); do kill -0 \$pid 2>/dev/null || break; sleep 0.1; done
kill -0 \$pid 2>/dev/null && fail "Yes did not end the game"
wait \$pid || fail "the game ended with an error"
size=\$(stat -c %s Config.bin 2>/dev/null || echo 0)
[ "\$size" = 1450 ] || fail "Config.bin is \$size bytes, not 1450"
tail -1 Log.txt | grep -q "Saving config" || fail "the log does not end with Saving config"
echo "smoke test passed"
DRIVE
chmod +x "$work/drive.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/drive.sh"
