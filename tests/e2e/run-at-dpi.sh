#!/bin/bash
# Runs an end-to-end test program in a Wine prefix of its own told DPI, on the display of the
# session that runs the tests: Wine reads the DPI when its server starts, so the scale needs a
# server, and so a prefix, of its own. The program learns the DPI it should see from
# STARTDECK_EXPECTED_DPI. The prefix is removed afterwards.
#   run-at-dpi.sh DPI PREFIX_FOLDER TEST_PROGRAM [ARGUMENTS...]
set -uo pipefail
if [ $# -lt 3 ]; then
  echo "usage: $0 DPI PREFIX_FOLDER TEST_PROGRAM [ARGUMENTS...]" >&2
  exit 2
fi
dpi=$1
prefix=$2
program=$3
shift 3
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tools/wine-session.sh"
# The display of the session CTest gave this case, when the test command started several.
source "$root/tools/wine-test-session.sh"
[ -n "${DISPLAY:-}" ] || { echo "no display: run inside a test session (tools/check.sh)" >&2; exit 2; }
wine_prefix_start "$prefix" "$dpi" || { echo "the prefix at $dpi DPI could not be made" >&2; exit 1; }
trap 'wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1; rm -rf "$prefix"' EXIT
echo "prefix $prefix at $dpi DPI"
STARTDECK_EXPECTED_DPI=$dpi wine "$program" "$@" </dev/null
