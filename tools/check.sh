#!/bin/bash
# Builds everything and runs every test: the portable code natively, the Windows programs under
# Wine in a fresh session of their own. Ends with one line "N passed, N failed".
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

# Sum what both runs report ("...% tests passed, F tests failed out of T").
passed=0
failed=0
for log in "$logs/native.txt" "$logs/mingw.txt"; do
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    continue
  fi
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  passed=$((passed + t - f))
  failed=$((failed + f))
done
echo
echo "$passed passed, $failed failed"
[ "$native_rc" -eq 0 ] && [ "$mingw_rc" -eq 0 ] && [ "$failed" -eq 0 ]
