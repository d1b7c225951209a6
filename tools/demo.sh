#!/bin/bash
# Builds Startdeck, installs the demo product into a fresh Wine prefix through its Windows Installer
# package (build/mingw/package/VantoTranslatorHome.msi, log in build/demo-install.log), adds the host
# programs the demo fakes (DemoInstall --hosts-only) and starts the start centre.
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
for f in "$bin"/{Startdeck.exe,StartdeckRes{ENU,DEU,FRA,RUS,ESN}.dll,VantoKernel.dll,infpack.exe,DemoInstall.exe} \
         "$root"/build/mingw/package/VantoTranslatorHome.msi; do
  [ -f "$f" ] && printf '  %-28s %8d bytes\n' "$(basename "$f")" "$(stat -c %s "$f")"
done
echo

source tools/wine-session.sh
[ -n "${DISPLAY:-}" ] && export STARTDECK_USE_DISPLAY=1
wine_session_start "$root/build/mingw/demo-prefix"
package="$root/build/mingw/package/VantoTranslatorHome.msi"
wine msiexec /i "$(winepath -w "$package")" /qn /l*v "$(winepath -w "$root/build/demo-install.log")" </dev/null ||
  { echo "The package did not install; see build/demo-install.log" >&2; exit 1; }
wine "$bin/DemoInstall.exe" 'C:\Program Files\VANTO' --hosts-only </dev/null

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
