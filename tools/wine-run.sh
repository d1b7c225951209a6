#!/bin/sh
# Runs one Windows program under Wine for CTest. The program's output goes through files, so a Wine
# helper process (or a program the test started) that inherited the output cannot keep CTest waiting.
# The Wine session (WINEPREFIX, DISPLAY, a persistent wineserver) is set up by tools/check.sh.
out=$(mktemp) || exit 125
err=$(mktemp) || exit 125
wine "$@" </dev/null >"$out" 2>"$err"
rc=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $rc
