#!/bin/bash
# Runs clang-tidy with the checks of the root .clang-tidy over every C++ source of src/ (and the
# headers of src/ they include), as the Windows build compiles them: Clang for x86_64-w64-mingw32
# with the flags tools/mingw-clang-args.sh takes from the mingw build's compile_commands.json. Run
# after `cmake --build --preset mingw` (the generated headers must exist). One clang-tidy a core.
#   tools/tidy-check.sh [BUILD_FOLDER]     default build/mingw
# Prints each finding once and ends with "tidy: N files, N findings".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/mingw}
command -v clang-tidy >/dev/null || { echo "tidy-check: clang-tidy is missing (tools/setup-packages.sh fuzz)" >&2; exit 1; }

work="$build/tidy-check"
rm -rf "$work"
mkdir -p "$work"

# A compilation database of Clang's commands, for clang-tidy's -p.
"$root/tools/mingw-clang-args.sh" "$build" '^src/' >"$work/sources" || exit 1
awk -F '\t' '
  BEGIN { print "[" }
  { printf "%s{\"directory\": \"%s\", \"file\": \"%s\", \"command\": \"clang++ %s -c %s\"}\n", (NR > 1 ? "," : ""), $1, $2, $3, $2 }
  END { print "]" }
' "$work/sources" >"$work/compile_commands.json"
count=$(wc -l <"$work/sources")
[ "$count" -gt 0 ] || { echo "tidy-check: no sources of src/ in $build/compile_commands.json" >&2; exit 1; }

# Each job writes the file's findings to a log of its own, and marks the file when clang-tidy
# failed (a finding, which .clang-tidy makes an error, or a file it could not read).
tidy_one() {
  local n=$1 file=$2 log
  log=$(printf '%s/%04d' "$TIDY_WORK" "$n")
  clang-tidy -p "$TIDY_WORK" --quiet --header-filter="^$TIDY_ROOT/src/" "$file" >"$log.log" 2>&1 ||
    touch "$log.failed"
}
export -f tidy_one
export TIDY_WORK=$work TIDY_ROOT=$root
cut -f 2 "$work/sources" | awk '{ printf "%d\t%s\n", NR, $0 }' |
  xargs -d '\n' -n 1 -P "$(nproc)" bash -c 'tidy_one "${1%%	*}" "${1#*	}"' _

failed=0
for mark in "$work"/*.failed; do
  [ -e "$mark" ] || { continue; }
  failed=$((failed + 1))
done
# A header's finding is reported by every source that includes it: each is printed once, with
# the lines under it up to the next finding.
cat "$work"/*.log | awk '
  /^[^ ]+:[0-9]+:[0-9]+: (warning|error): / { show = !($0 in seen); seen[$0] = 1; if (show) ++findings }
  /^[0-9]+ (warnings?|errors?) (generated|treated as errors)/ { next }
  /^Error while processing / { print; ++findings; next }
  /^Suppressed [0-9]+ warnings/ || /^Use -header-filter/ { next }
  show { print }
  END { printf "%d\n", findings > "/dev/stderr" }
' 2>"$work/findings"
echo "tidy: $count files, $(cat "$work/findings") findings"
[ "$failed" -eq 0 ]
