#!/usr/bin/env bash
# The real game under Xvfb: D starts the daily challenge of the date MARBLIX_TODAY names. Started
# twice on one date it deals the same board, on the next date another; each run's board is read
# from a screenshot, cell by cell (empty, or the strongest colour of the ball's centre).
# Usage: daily_test.sh <game binary> <data folder>
set -euo pipefail
game=$1 data=$2

command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || { echo "xvfb-run or xdotool missing: skipped"; exit 77; }
. "$(dirname "$0")/game_folder.sh"
game_folder "$data"

cat > "$work/drive.sh" <<DRIVE
#!/usr/bin/env bash
set -euo pipefail
cd "$work"
openbox >/dev/null 2>&1 &
fail() { echo "FAIL: \$*"; cat game.out; [ -f Log.txt ] && cat Log.txt; exit 1; }
board() {  # board <date> <name>: the board of that date's daily challenge, one letter a cell
  rm -f Log.txt Config.bin Statistics.bin
  MARBLIX_TODAY=\$1 "$game" > game.out 2>&1 &
  local pid=\$!
  for i in \$(seq 1 600); do grep -q "Loading config" Log.txt 2>/dev/null && break; sleep 0.1; done
  grep -q "Loading config" Log.txt || fail "the game never finished loading"
  sleep 1
  local wid=\$(xdotool search --name '^Marblix v1.00\$' | head -1)
  [ -n "\$wid" ] || fail "no game window"
  xdotool windowactivate --sync "\$wid" >/dev/null 2>&1 || true
  xdotool mousemove --window "\$wid" 700 590; sleep 0.2
  xdotool key d; sleep 1.2
  import -window "\$wid" "\$2.png"
  kill \$pid; wait \$pid || true
  # Each cell's mean colour against an empty cell's: "." empty, else the channel that rose most.
  convert "\$2.png" -crop 468x468+298+26 +repage -filter box -resize 9x9! txt:- | tail -n 81 |
    python3 -c '
import re, sys
empty = (27, 34, 64)
out = ""
for line in sys.stdin:
    rgb = [float(v) for v in re.search(r"\(([\d.]+),([\d.]+),([\d.]+)", line).groups()]
    rise = [c - e for c, e in zip(rgb, empty)]
    out += "." if max(rise) < 15 else "RGB"[rise.index(max(rise))]
print(out)' > "\$2.txt"
}
board 2026-12-09 first
board 2026-12-09 again
board 2026-12-10 next
DRIVE
chmod +x "$work/drive.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/drive.sh"

first=$(cat "$work/first.txt") again=$(cat "$work/again.txt") next=$(cat "$work/next.txt")
echo "2026-12-09: $first"; echo "again:      $again"; echo "2026-12-10: $next"
balls=$(tr -cd 'RGB' <<<"$first" | wc -c)
[ "$balls" -eq 6 ] || { echo "FAIL: the daily challenge opened with $balls balls, not 6"; exit 1; }
[ "$first" = "$again" ] || { echo "FAIL: one date dealt two boards"; exit 1; }
[ "$first" != "$next" ] || { echo "FAIL: two dates dealt one board"; exit 1; }
echo "daily test passed"
