#!/bin/bash
# Startdeck at 100 % and at 200 % display scale, measured in one run: the size of Startdeck.exe
# (and of any picture library shipped beside it), then its first paint and peak working set with
# runs taking turns between two prefixes told 96 and 192 DPI, so that whatever else the machine
# does weighs on both alike. Medians, their ratio and difference beside the goals.
#   bench/scales.sh BUILD [RUNS]
set -euo pipefail
if [ $# -lt 1 ]; then
  echo "usage: $0 BUILD [RUNS]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
runs=${2:-7}
bin="$build/bin"
work="$build/bench-scales"

echo "== sizes"
size=$(stat -c %s "$bin/Startdeck.exe")
awk -v s="$size" 'BEGIN { printf "  Startdeck.exe %d bytes (%.2f MB; goal: at most 3 MB)\n", s, s / 1048576 }'
for library in "$bin"/StartdeckSkin.dll; do
  [ -f "$library" ] || continue
  awk -v n="$(basename "$library")" -v s="$(stat -c %s "$library")" \
    'BEGIN { printf "  %s %d bytes (%.2f MB)\n", n, s, s / 1048576 }'
done

# Room for the window at 200 %.
export STARTDECK_SCREEN=${STARTDECK_SCREEN:-2560x2048x24}
source "$root/tools/wine-session.sh"
wine_session_start "$work/prefix-96" 96
wine "$bin/DemoInstall.exe" 'C:\VANTO' </dev/null >/dev/null
prefix96=$WINEPREFIX
wine_prefix_start "$work/prefix-192" 192
wine "$bin/DemoInstall.exe" 'C:\VANTO' </dev/null >/dev/null
prefix192=$WINEPREFIX
stop_both() {
  WINEPREFIX=$prefix192 wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$prefix192 wineserver -w >/dev/null 2>&1 || true
  export WINEPREFIX=$prefix96
  wine_session_stop
  rm -rf "$prefix96" "$prefix192"
}
trap stop_both EXIT

echo "== first paint and peak working set, $runs runs at each scale taking turns"
results="$work/runs.txt"
: >"$results"
for ((i = 0; i < runs; ++i)); do
  for prefix in "$prefix96" "$prefix192"; do
    WINEPREFIX=$prefix wine "$bin/FirstPaintBench.exe" --once 'C:\VANTO\Startdeck.exe' "VANTO Translator Home" \
      </dev/null | tr -d '\r' | grep '^startdeck ' >>"$results"
  done
done
# "startdeck MS PEAK DPI" lines: the median of each column per DPI.
awk '
  function median(list, n,   i, j, t) {
    for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (list[j] < list[i]) { t = list[i]; list[i] = list[j]; list[j] = t }
    return n % 2 ? list[(n + 1) / 2] : (list[n / 2] + list[n / 2 + 1]) / 2
  }
  { n[$4]++; ms[$4, n[$4]] = $2; peak[$4, n[$4]] = $3 / 1048576 }
  END {
    if (!(96 in n) || !(192 in n)) { print "  the runs did not report both 96 and 192 DPI"; exit 1 }
    for (d in n) {
      for (i = 1; i <= n[d]; ++i) { a[i] = ms[d, i]; b[i] = peak[d, i] }
      m[d] = median(a, n[d]); p[d] = median(b, n[d])
      printf "  at %3d DPI: first paint %7.1f ms, peak working set %6.1f MB (medians of %d runs)\n", d, m[d], p[d], n[d]
    }
    printf "  first paint at 192 DPI / at 96 DPI:     %5.2f   (goal: at most 1.2)\n", (m[96] > 0 ? m[192] / m[96] : 0)
    printf "  peak working set at 192 DPI - at 96 DPI: %+5.1f MB (goal: at most +6 MB)\n", p[192] - p[96]
  }' "$results"
