#!/bin/bash
# Compares the look of two builds pixel by pixel: each build's demo installation is made in a fresh
# Wine prefix, ViewShots screenshots every view of its window (the start page, each tab with and
# without "show all features", every panel or message a row of the tabs 1, 2 and 6 opens), and the
# two sets are compared. ViewShots comes from the second build.
#   tools/compare-views.sh BEFORE_BUILD AFTER_BUILD [OUTPUT_FOLDER]
# A build folder is a mingw build (with bin/DemoInstall.exe), e.g. build/mingw of another worktree.
# Exit code 1 when any view differs; the differing pixels are shown in OUTPUT/after/NAME-diff.bmp.
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: $0 BEFORE_BUILD AFTER_BUILD [OUTPUT_FOLDER]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
before=$(cd "$1" && pwd)
after=$(cd "$2" && pwd)
output=$(mkdir -p "${3:-$after/view-shots}" && cd "${3:-$after/view-shots}" && pwd)
shots="$after/bin/ViewShots.exe"
[ -f "$shots" ] || { echo "no $shots: build the second folder first" >&2; exit 2; }

source "$root/tools/wine-session.sh"
source "$root/tools/view-shots.sh"
shoot_views "$before" "$shots" "$output/before"
shoot_views "$after" "$shots" "$output/after"

echo "== before: $before"
echo "== after:  $after"
status=0
view_shots_tool "$output/compare" "$shots" --compare "$(windows_path "$output/before")" \
  "$(windows_path "$output/after")" || status=1
exit $status
