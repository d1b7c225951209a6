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
product="VANTO Translator Home"
shots="$after/bin/ViewShots.exe"
[ -f "$shots" ] || { echo "no $shots: build the second folder first" >&2; exit 2; }

source "$root/tools/wine-session.sh"
for side in before after; do
  build=${!side}
  rm -rf "$output/$side"
  mkdir -p "$output/$side"
  wine_session_start "$output/$side-prefix"
  # A caret that does not blink, so that a field with the focus looks the same at every moment.
  wine reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /t REG_SZ /d -1 /f </dev/null >/dev/null 2>&1
  wine "$build/bin/DemoInstall.exe" 'C:\VANTO' </dev/null >/dev/null
  echo "== views of $build"
  wine "$shots" 'C:\VANTO\Startdeck.exe' "$product" "$(winepath -w "$output/$side")" </dev/null
  wine_session_stop
  rm -rf "$output/$side-prefix"
done

echo "== before: $before"
echo "== after:  $after"
source "$root/tools/wine-session.sh"
wine_session_start "$output/compare-prefix"
status=0
wine "$shots" --compare "$(winepath -w "$output/before")" "$(winepath -w "$output/after")" </dev/null || status=1
wine_session_stop
rm -rf "$output/compare-prefix"
exit $status
