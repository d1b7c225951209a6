#!/bin/bash
# Builds everything and runs every test: the portable code natively, the Windows programs under
# Wine in a fresh session of their own. Ends with one line "N passed, N failed, N skipped", after
# the list of the skipped cases with their reasons.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup-packages.sh || exit 1

cmake --preset native >/dev/null || exit 1
cmake --build --preset native || exit 1
cmake --preset mingw >/dev/null || exit 1
cmake --build --preset mingw || exit 1

logs="$root/build/test-logs"
mkdir -p "$logs"

ctest --preset native 2>&1 | tee "$logs/native.txt"
native_rc=${PIPESTATUS[0]}

source tools/wine-session.sh
wine_session_start "$root/build/mingw/wine-prefix"
export STARTDECK_TEST_LOGS="$logs"
ctest --preset mingw 2>&1 | tee "$logs/mingw.txt"
mingw_rc=${PIPESTATUS[0]}
wine_session_stop

# Sum what both runs report ("...% tests passed, F tests failed out of T"). CTest counts a skipped
# case among the passed ones and lists it under "The following tests did not run:" as "(Skipped)":
# those are counted apart, each with the reason GoogleTest printed for it.
passed=0
failed=0
skipped=0
skips="$logs/skipped.txt"
: >"$skips"
for run in native mingw; do
  log="$logs/$run.txt"
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    continue
  fi
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  s=$(grep -cE '^[[:space:]]*[0-9]+ - .* \((Skipped|Disabled)\)$' "$log")
  passed=$((passed + t - f - s))
  failed=$((failed + f))
  skipped=$((skipped + s))
  # The reason is the text GoogleTest prints between "<file>:<line>: Skipped" and "[  SKIPPED ]",
  # kept in CTest's full log of the run.
  awk -v run="$run" '
    /^[0-9]+\/[0-9]+ Test: / { name = $3; reason = ""; inskip = 0 }
    /: Skipped$/ { inskip = 1; next }
    /^\[  SKIPPED \]/ { inskip = 0 }
    inskip && NF { reason = reason (reason == "" ? "" : " ") $0 }
    /^Skip regular expression found in output/ {
      printf "  %s %s: %s\n", run, name, (reason == "" ? "(no reason given)" : reason)
    }
  ' "$root/build/$run/Testing/Temporary/LastTest.log" >>"$skips" 2>/dev/null
done
echo
if [ "$skipped" -gt 0 ]; then
  echo "Skipped (not counted as passed):"
  if [ -s "$skips" ]; then cat "$skips"; else echo "  (see the runs' logs in $logs)"; fi
fi
echo "$passed passed, $failed failed, $skipped skipped"
[ "$native_rc" -eq 0 ] && [ "$mingw_rc" -eq 0 ] && [ "$failed" -eq 0 ]
