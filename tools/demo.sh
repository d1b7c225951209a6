#!/bin/bash
# Builds Startdeck, installs the demo suite into a fresh Wine prefix and starts the start centre.
# With an X display the window opens there; without one it runs on a virtual display and a
# screenshot is saved to build/demo-screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup-packages.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw

bin="$root/build/mingw/bin"
echo
echo "Built in $bin:"
for f in Startdeck.exe StartdeckRes{ENU,DEU,FRA,RUS,ESN}.dll VantoKernel.dll infpack.exe DemoInstall.exe; do
  [ -f "$bin/$f" ] && printf '  %-22s %8d bytes\n' "$f" "$(stat -c %s "$bin/$f")"
done
echo

source tools/wine-session.sh
[ -n "${DISPLAY:-}" ] && export STARTDECK_USE_DISPLAY=1
wine_session_start "$root/build/mingw/demo-prefix"
wine "$bin/DemoInstall.exe" 'C:\Program Files\VANTO' </dev/null

if [ -n "${STARTDECK_USE_DISPLAY:-}" ]; then
  echo "Starting Startdeck; close its window to end the demo."
  wine 'C:\Program Files\VANTO\Startdeck.exe' </dev/null
else
  wine 'C:\Program Files\VANTO\Startdeck.exe' </dev/null >/dev/null 2>&1 &
  sleep 6
  import -window root "$root/build/demo-screenshot.png"
  echo "No display: Startdeck ran on a virtual display; screenshot: build/demo-screenshot.png"
fi
wine_session_stop
