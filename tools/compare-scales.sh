#!/bin/bash
# Screenshots every view of a build's window at the display scales 100, 125, 150, 175 and 200 %
# (96, 120, 144, 168 and 192 DPI), each in a Wine prefix of its own told that DPI, and checks them:
#   - at 96 DPI: pixel-equal to the same views of the baseline build (when one is given);
#   - at every DPI: no control cut off by its parent's client area, no two sibling controls
#     overlapping unless that pair is meant to (ViewShots' table);
#   - at the others: the window the size at 96 DPI times the scale (one pixel of slack per edge),
#     every control of the view at 96 DPI shown, and each control's font of its height at 96 DPI
#     times the scale.
# The start page and the Word task panel at each scale are written as PNG files (BMP when
# ImageMagick's convert is missing) into PICTURES_FOLDER when given.
#   tools/compare-scales.sh BASELINE_BUILD|- BUILD [OUTPUT_FOLDER [PICTURES_FOLDER]]
# A build folder is a mingw build (bin/DemoInstall.exe, bin/Startdeck.exe); ViewShots comes from
# BUILD. STARTDECK_DPIS="96 144" limits the scales (96 is always taken: the others are checked
# against it). Exit code 1 when any check fails; every failure is listed at the end.
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: $0 BASELINE_BUILD|- BUILD [OUTPUT_FOLDER [PICTURES_FOLDER]]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
baseline=""
[ "$1" = - ] || baseline=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
output=$(mkdir -p "${3:-$build/scale-shots}" && cd "${3:-$build/scale-shots}" && pwd)
pictures=""
if [ -n "${4:-}" ]; then pictures=$(mkdir -p "$4" && cd "$4" && pwd); fi
shots="$build/bin/ViewShots.exe"
[ -f "$shots" ] || { echo "no $shots: build ViewShots first" >&2; exit 2; }
dpis="96 ${STARTDECK_DPIS:-120 144 168 192}"
dpis=$(tr ' ' '\n' <<<"$dpis" | awk 'NF && !seen[$0]++' | tr '\n' ' ')
# Room for the window at 200 % (the pictures hold only the program's windows).
export STARTDECK_SCREEN=${STARTDECK_SCREEN:-2560x2048x24}

source "$root/tools/wine-session.sh"
source "$root/tools/view-shots.sh"
failures=()
report() {
  failures+=("$1")
  echo "FAILED: $1"
}

for dpi in $dpis; do
  shoot_views "$build" "$shots" "$output/$dpi" "$dpi" --windows || report "the views at $dpi DPI could not all be taken"
done

if [ -n "$baseline" ]; then
  shoot_views "$baseline" "$shots" "$output/baseline" 96 --windows || report "the baseline's views could not all be taken"
  echo "== at 96 DPI against $baseline"
  view_shots_tool "$output/compare" "$shots" --compare "$(windows_path "$output/baseline")" \
    "$(windows_path "$output/96")" || report "at 96 DPI the views differ from the baseline's (see $output/96/*-diff.bmp)"
fi

for dpi in $dpis; do
  echo "== layouts at $dpi DPI"
  if [ "$dpi" = 96 ]; then
    view_shots_tool "$output/check" "$shots" --check-layout "$(windows_path "$output/96")" ||
      report "at 96 DPI a view is laid out badly"
  else
    view_shots_tool "$output/check" "$shots" --check-layout "$(windows_path "$output/$dpi")" \
      "$(windows_path "$output/96")" || report "at $dpi DPI a view is not scaled right"
  fi
done

if [ -n "$pictures" ]; then
  # The start page, and the panel of the Word documents' task (the second row of the first tab).
  for dpi in $dpis; do
    for view in view-start-page panel-tab1-row1; do
      picture="$output/$dpi/$view.bmp"
      if [ ! -f "$picture" ]; then
        report "no $view at $dpi DPI"
      elif command -v convert >/dev/null; then
        convert "$picture" "$pictures/$view-$dpi.png"
      else
        cp "$picture" "$pictures/$view-$dpi.bmp"
      fi
    done
  done
  echo "== pictures in $pictures"
fi

if ((${#failures[@]})); then
  echo "compare-scales: ${#failures[@]} failed:"
  printf '  %s\n' "${failures[@]}"
  exit 1
fi
echo "compare-scales: every check passed at $dpis DPI"
