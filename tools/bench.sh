#!/bin/bash
# Runs the benchmarks: .inf decoding (native), Startdeck's start-up (with the time of each of its steps)
# against a bare window and a bare window loading the same system libraries, the plug-in
# table's load, a long quick translation, and the size, first paint and working set at 100 % against
# 200 % display scale (Wine).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup-packages.sh
cmake --preset native >/dev/null && cmake --build --preset native >/dev/null
cmake --preset mingw >/dev/null && cmake --build --preset mingw >/dev/null

echo "== .inf decoding (native)"
build/native/bench/inf_decode_bench

echo "== start-up under Wine"
source tools/wine-session.sh
wine_session_start "$root/build/mingw/bench-prefix"
bin="$root/build/mingw/bin"
wine "$bin/DemoInstall.exe" 'C:\VANTO' </dev/null
wine "$bin/FirstPaintBench.exe" 'C:\VANTO\Startdeck.exe' "VANTO Translator Home" 7 </dev/null

echo "== the window in its first 500 ms against the picture it settles on (frames in build/mingw/startup-frames)"
rm -rf "$root/build/mingw/startup-frames"
frames=0
wine "$bin/StartupFramesBench.exe" 'C:\VANTO\Startdeck.exe' "VANTO Translator Home" \
  "$(winepath -w "$root/build/mingw/startup-frames")" 3 </dev/null || frames=$?
echo "-- the same for the bare window, as a yardstick: Wine shows a window before its first paint reaches the screen"
wine "$bin/StartupFramesBench.exe" "$(winepath -w "$bin/BareWindow.exe")" "Bare window" \
  "$(winepath -w "$root/build/mingw/startup-frames/bare")" 1 </dev/null || true

echo "== the web-service component's own start (COM starting its process, Initialise) under Wine"
wine "$bin/ComponentStartBench.exe" 7 </dev/null

echo "== plug-in table load on the demo installation under Wine"
wine "$bin/LoadSwitchesBench.exe" 21 'C:\VANTO\StartdeckResENU.dll' </dev/null

echo "== quick translation of a 10,000-line paste under Wine"
wine "$bin/QuickTranslationBench.exe" 'C:\VANTO\Startdeck.exe' "VANTO Translator Home" 10000 </dev/null
wine_session_stop

echo "== Startdeck at 100 % and 200 % display scale"
bench/scales.sh "$root/build/mingw" 7
# A window seen blank or half-drawn fails the run, after every figure has been printed.
[ "$frames" = 0 ]
