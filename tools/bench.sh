#!/bin/bash
# Runs the benchmarks: .inf decoding (native), Startdeck's start-up (with the time of each of its steps)
# against a bare window and a bare window loading the same system libraries, the plug-in
# table's load, a long quick translation, and the size, first paint and working set at 100 % against
# 200 % display scale (Wine).
#   STARTDECK_BENCH_BEFORE=OTHER/build/mingw/bin tools/bench.sh   also times an earlier build's start-up
#   STARTDECK_BENCH_RUNS=9                                       runs of each start-up (default 7)
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
# STARTDECK_BENCH_BEFORE=<an earlier mingw build's bin folder>: its program takes turns with this one,
# installed beside it (the same installation, the earlier program and its libraries in a folder of
# their own), for the table of steps before and after.
before=()
if [ -n "${STARTDECK_BENCH_BEFORE:-}" ]; then
  earlier=$(winepath -u 'C:\VANTO-before')
  rm -rf "$earlier"
  cp -r "$(winepath -u 'C:\VANTO')" "$earlier"
  cp "$STARTDECK_BENCH_BEFORE"/Startdeck.exe "$STARTDECK_BENCH_BEFORE"/StartdeckRes*.dll \
    "$STARTDECK_BENCH_BEFORE"/StartdeckSkin.dll "$earlier/"
  before=('C:\VANTO-before\Startdeck.exe')
fi
wine "$bin/FirstPaintBench.exe" 'C:\VANTO\Startdeck.exe' "VANTO Translator Home" "${STARTDECK_BENCH_RUNS:-7}" "${before[@]}" </dev/null

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
