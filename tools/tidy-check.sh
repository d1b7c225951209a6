#!/bin/bash
# Runs clang-tidy with the checks of the root .clang-tidy over every C++ source of src/ (and the
# headers of src/ they include), as the Windows build compiles them: Clang for x86_64-w64-mingw32
# with the flags tools/mingw-clang-args.sh takes from the mingw build's compile_commands.json. Run
# after `cmake --build --preset mingw` (the generated headers must exist). One clang-tidy a core.
# The same pass is Clang's warning check of src/ (what tools/clang-check.sh does for the other
# folders in CI): the sources are read with tools/clang-check.sh's warnings, and clang-tidy reports
# each warning as a finding (clang-diagnostic-*), in the sources and in every header of the
# repository or the build they include.
#   tools/tidy-check.sh [BUILD_FOLDER [SOURCES]]     default build/mingw, '^src/'
# SOURCES, an extended regular expression over the sources' paths in the repository, narrows the
# run to a part of src/ (a quicker look at the files one works on).
# Prints each finding once and ends with "tidy: N files, N findings".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/mingw}" && pwd) || exit 1
command -v clang-tidy >/dev/null || { echo "tidy-check: clang-tidy is missing (tools/setup-packages.sh fuzz)" >&2; exit 1; }

work="$build/tidy-check"
rm -rf "$work"
mkdir -p "$work"

# A compilation database of Clang's commands, for clang-tidy's -p.
sources=${2:-'^src/'}
[[ "$sources" == '^src/'* ]] || { echo "tidy-check: $sources is not a part of src/" >&2; exit 1; }
"$root/tools/mingw-clang-args.sh" "$build" "$sources" >"$work/sources" || exit 1
awk -F '\t' -v warnings="$("$root/tools/clang-check.sh" --warnings)" '
  BEGIN { print "[" }
  { printf "%s{\"directory\": \"%s\", \"file\": \"%s\", \"command\": \"clang++ %s %s -c %s\"}\n", (NR > 1 ? "," : ""), $1, $2, warnings, $3, $2 }
  END { print "]" }
' "$work/sources" >"$work/compile_commands.json"
count=$(wc -l <"$work/sources")
[ "$count" -gt 0 ] || { echo "tidy-check: no sources of src/ in $build/compile_commands.json" >&2; exit 1; }

# Each job writes the file's findings to a log of its own, and marks the file when clang-tidy ended
# in a way no finding explains (a crash). Headers of the whole repository and of the build are let
# through, for Clang's warnings; the findings of .clang-tidy's checks there are sorted out below.
tidy_one() {
  local n=$1 file=$2 log rc=0
  log=$(printf '%s/%04d' "$TIDY_WORK" "$n")
  clang-tidy -p "$TIDY_WORK" --quiet --checks='clang-diagnostic-*' --header-filter="^($TIDY_ROOT|$TIDY_BUILD)/" \
    "$file" >"$log.log" 2>&1 || rc=$?
  # 1 is clang-tidy's answer to a finding (.clang-tidy makes every one an error).
  [ "$rc" -le 1 ] || touch "$log.failed"
}
export -f tidy_one
export TIDY_WORK=$work TIDY_ROOT=$root TIDY_BUILD=$build
cut -f 2 "$work/sources" | awk '{ printf "%d\t%s\n", NR, $0 }' |
  xargs -d '\n' -n 1 -P "$(nproc)" bash -c 'tidy_one "${1%%	*}" "${1#*	}"' _

crashed=0
for mark in "$work"/*.failed; do
  [ -e "$mark" ] || { continue; }
  cat "${mark%.failed}.log"
  crashed=$((crashed + 1))
done
# A finding counts when it is in src/, or is one of Clang's warnings (clang-diagnostic-*, the
# compiler's errors too) wherever it is. A header's finding is reported by every source that
# includes it: each is printed once, with the lines under it up to the next finding.
cat "$work"/*.log | awk -v src="$root/src/" '
  /^[^ ]+:[0-9]+:[0-9]+: (warning|error): / {
    ours = index($0, src) == 1 || $0 ~ /\[clang-diagnostic-[^]]*\]$/
    show = ours && !($0 in seen)
    seen[$0] = 1
    if (show) ++findings
  }
  /^[0-9]+ (warnings?|errors?) (generated|treated as errors)/ { next }
  /^Error while processing / { print; ++findings; next }
  /^Suppressed [0-9]+ warnings/ || /^Use -header-filter/ { next }
  show { print }
  END { printf "%d\n", findings > "/dev/stderr" }
' 2>"$work/findings"
findings=$(cat "$work/findings")
echo "tidy: $count files, $findings findings"
[ "$findings" -eq 0 ] && [ "$crashed" -eq 0 ]
