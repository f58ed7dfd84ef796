#!/usr/bin/env bash
# The Windows build's tests under Wine: every test program, whole, in the build's own Wine folder
# under a virtual screen (the video tests open real windows), then the installer's whole-program
# test, which leaves its screenshots in BUILD/playtest.
# Usage: run_tests.sh BUILD (build-windows)
set -euo pipefail
build=$(realpath "$1")
here=$(cd "$(dirname "$0")/../.." && pwd)
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export SDL_AUDIODRIVER=dummy

cat >"$build/run-under-xvfb.sh" <<RUN
#!/usr/bin/env bash
set -euo pipefail
openbox >/dev/null 2>&1 &
[ -d "$WINEPREFIX/drive_c" ] || "$wine" wineboot -u >/dev/null 2>&1
ctest --test-dir "$build" -j 2 --output-on-failure
RUN
chmod +x "$build/run-under-xvfb.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$build/run-under-xvfb.sh"
"$wineserver" -k 2>/dev/null || true

setup=$(ls "$build"/Marblix-*-setup.exe | head -n 1)
"$here/tests/windows/installer_test.sh" "$setup" "$build/playtest" "$here/scripts/make_config.py"
