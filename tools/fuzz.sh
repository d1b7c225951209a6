#!/bin/bash
# Runs every libFuzzer target for the given number of seconds each (default 60):
#   tools/fuzz.sh [SECONDS]
# Builds the "fuzz" preset (Clang from Debian: apt-get install clang). Each target starts from
# the inputs kept in tests/fuzz/corpus/<target>/ and grows a working corpus in
# build/fuzz/corpus/<target>/; an input that crashes or breaks a checked property is written to
# tests/fuzz/corpus/<target>/ (crash-*, leak-*, timeout-*, oom-*), where the fuzz_replay_tests
# of the native build run it from then on. Prints one line per target; exits 1 when any found one.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-60}
targets=(ooo_merge inf_reader)

command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is missing (apt-get install clang)" >&2; exit 2; }
cmake --preset fuzz >/dev/null || exit 2
cmake --build --preset fuzz --target "${targets[@]/#/fuzz_}" || exit 2

# The targets run side by side (one a core; each is one process), every one for the whole time.
fuzz_one() {
  local t=$1 kept="tests/fuzz/corpus/$1" work="build/fuzz/corpus/$1" log="build/fuzz/$1.log"
  mkdir -p "$kept" "$work"
  "build/fuzz/tests/fuzz/fuzz_$t" "$work" "$kept" -max_total_time="$seconds" -artifact_prefix="$kept/" \
    -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 >"$log" 2>&1
}
artifacts() {
  find "tests/fuzz/corpus/$1" -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' | wc -l
}

declare -A before
for t in "${targets[@]}"; do
  mkdir -p "tests/fuzz/corpus/$t"
  before[$t]=$(artifacts "$t")
done
pids=()
for t in "${targets[@]}"; do
  fuzz_one "$t" &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid"; done

found=0
for t in "${targets[@]}"; do
  log="build/fuzz/$t.log"
  runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' | tail -n 1)
  new=$(($(artifacts "$t") - before[$t]))
  echo "$t: ${runs:-?} executions in ${seconds} s, $new new crashing inputs (log: $log)"
  ((new > 0)) && found=1
done
exit $found
