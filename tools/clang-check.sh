#!/bin/bash
# Compiles every C++ source of the Windows build a second time, with Clang for the same target
# (x86_64-w64-mingw32, syntax and warnings only), so that code GCC accepts but another compiler
# would not, or warns about, fails the run. Reads the mingw build's compile_commands.json (run
# after `cmake --build --preset mingw`: the generated headers must exist) through
# tools/mingw-clang-args.sh, which keeps each file's defines, include folders and standard.
#   tools/clang-check.sh [BUILD_FOLDER [FOLDERS]]   default build/mingw, '^(src|substitutes|tools|tests|bench)/'
#   tools/clang-check.sh --warnings                 prints the warning options it uses
# FOLDERS is an extended regular expression over the sources' paths in the repository: CI leaves
# src/ to tools/tidy-check.sh, which reads it with the same warnings in its one pass.
# Prints each file's warnings and ends with "clang: N files, N with warnings".
set -uo pipefail
warnings="-Wall -Wextra -Wshadow"
if [ "${1:-}" = --warnings ]; then
  echo "$warnings"
  exit 0
fi
root=$(cd "$(dirname "$0")/.." && pwd)
# Absolute: each job reads its arguments from the build folder after changing to the source's folder.
build=$(cd "${1:-$root/build/mingw}" && pwd) || exit 1
folders=${2:-'^(src|substitutes|tools|tests|bench)/'}
db="$build/compile_commands.json"
[ -f "$db" ] || { echo "clang-check: $db is missing (configure and build the mingw preset first)" >&2; exit 1; }
command -v clang++ >/dev/null || { echo "clang-check: clang++ is missing (tools/setup-packages.sh fuzz)" >&2; exit 1; }

work="$build/clang-check"
rm -rf "$work"
mkdir -p "$work"

# One response file per source: its folder on the first line, then Clang's arguments and the file.
"$root/tools/mingw-clang-args.sh" "$build" "$folders" >"$work/sources" || exit 1
awk -F '\t' -v work="$work" -v warnings="$warnings" '{
  out = sprintf("%s/%04d.rsp", work, NR)
  print $1 > out
  print "-fsyntax-only -Werror " warnings " " $3 " " $2 > out
  close(out)
}' "$work/sources"

count=$(find "$work" -name '*.rsp' | wc -l)
[ "$count" -gt 0 ] || { echo "clang-check: no sources found in $db" >&2; exit 1; }

# Each job: the response file's first line is the folder, the rest Clang's arguments.
check_one() {
  local rsp=$1 dir
  dir=$(head -n 1 "$rsp")
  tail -n +2 "$rsp" >"${rsp%.rsp}.args"
  (cd "$dir" && clang++ @"${rsp%.rsp}.args") >"${rsp%.rsp}.log" 2>&1 || touch "${rsp%.rsp}.failed"
}
export -f check_one
find "$work" -name '*.rsp' -print0 | sort -z | xargs -0 -n 1 -P "$(nproc)" bash -c 'check_one "$1"' _

failed=0
for mark in "$work"/*.failed; do
  [ -e "$mark" ] || continue
  cat "${mark%.failed}.log"
  failed=$((failed + 1))
done
echo "clang: $count files, $failed with warnings"
[ "$failed" -eq 0 ]
