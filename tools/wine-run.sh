#!/bin/sh
# Runs one Windows program under Wine for CTest. The program's output goes through files, so a Wine
# helper process (or a program the test started) that inherited the output cannot keep CTest waiting.
# The Wine session (WINEPREFIX, DISPLAY, a persistent wineserver) is set up by tools/check.sh; when
# it set up several, the case runs in the one CTest gave it.
. "$(dirname "$0")/wine-test-session.sh"
out=$(mktemp) || exit 125
err=$(mktemp) || exit 125
wine "$@" </dev/null >"$out" 2>"$err"
rc=$?
# Rarely (seen once in some 1,600 starts, two at a time) Wine ends at once, in a hundredth of a second,
# before the program has printed anything and without a word of its own. Every test program prints
# before it runs a test, so such a start never ran the program at all: it is tried once more, and the
# retry is noted where the test logs go.
if [ ! -s "$out" ] && [ ! -s "$err" ]; then
  [ -n "${STARTDECK_TEST_LOGS:-}" ] && echo "$(date '+%F %T') empty start (exit $rc${STARTDECK_SESSION:+, session $STARTDECK_SESSION}), retried: $*" \
    >>"$STARTDECK_TEST_LOGS/wine-run-retries.txt"
  wine "$@" </dev/null >"$out" 2>"$err"
  rc=$?
fi
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $rc
