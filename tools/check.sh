#!/bin/bash
# Builds everything and runs every test: the portable code natively, the Windows programs under
# Wine in a fresh session of their own. Ends with one line "N passed, N failed, N skipped", after
# the list of the skipped cases with their reasons.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Each phase's time, for the CI note.
phase_started=$SECONDS
phase() {
  echo "check: $1 took $((SECONDS - phase_started)) s"
  phase_started=$SECONDS
}

tools/setup-packages.sh || exit 1
phase "setting up the packages"

cmake --preset native >/dev/null || exit 1
cmake --build --preset native || exit 1
phase "the native build"
cmake --preset mingw >/dev/null || exit 1
cmake --build --preset mingw || exit 1
phase "the mingw build"

logs="$root/build/test-logs"
mkdir -p "$logs"

ctest --preset native 2>&1 | tee "$logs/native.txt"
native_rc=${PIPESTATUS[0]}
phase "the native tests"

# The Windows tests in two Wine sessions side by side (STARTDECK_TEST_SESSIONS says how many), each
# with its own prefix, display and wineserver: most cases need a session to themselves or its COM
# registration, so one session runs them one after another, and much of their time is waiting on
# Wine and on windows, not the processor. CTest gives each case a session (cmake/Testing.cmake).
source tools/wine-session.sh
wine_test_sessions_start "$root/build/mingw/wine-prefix" "${STARTDECK_TEST_SESSIONS:-2}" || exit 1
export STARTDECK_TEST_LOGS="$logs"
ctest --preset mingw --resource-spec-file "$STARTDECK_SESSIONS/sessions.json" 2>&1 | tee "$logs/mingw.txt"
mingw_rc=${PIPESTATUS[0]}
wine_session_stop
phase "the Windows tests under Wine"

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
