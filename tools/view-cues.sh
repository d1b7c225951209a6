#!/bin/bash
# Screenshots of one build's window as a keyboard user and a high-contrast user see it: every view
# (as tools/compare-views.sh takes them), then each view again with Tab pressed once, which shows
# the focus cue and the access keys' underlines (cues-*.bmp), and, in a second run with high
# contrast switched on, the start page and the panel of tab 1's third row (contrast-*.bmp).
#   tools/view-cues.sh BUILD [OUTPUT_FOLDER]
# Wine offers no high-contrast mode of its own: ViewShots stores the user's setting where Windows
# keeps it (HKCU\Control Panel\Accessibility\HighContrast, "Flags" with bit 1) and sets a
# high-contrast scheme of system colours for its run.
set -euo pipefail
if [ $# -lt 1 ]; then
  echo "usage: $0 BUILD [OUTPUT_FOLDER]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
output=$(mkdir -p "${2:-$build/view-cues}" && cd "${2:-$build/view-cues}" && pwd)
shots="$build/bin/ViewShots.exe"
[ -f "$shots" ] || { echo "no $shots: build ViewShots first" >&2; exit 2; }

source "$root/tools/wine-session.sh"
source "$root/tools/view-shots.sh"
status=0
shoot_views "$build" "$shots" "$output/cues" "" --cues || status=1
shoot_views "$build" "$shots" "$output/contrast" "" --contrast || status=1
exit $status
