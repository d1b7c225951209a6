#!/bin/bash
# Compiles every C++ source of the Windows build a second time, with Clang for the same target
# (x86_64-w64-mingw32, syntax and warnings only), so that code GCC accepts but another compiler
# would not, or warns about, fails the run. Reads the mingw build's compile_commands.json (run
# after `cmake --build --preset mingw`: the generated headers must exist) and keeps each file's
# defines, include folders and standard; the headers of GCC's mingw-w64 libstdc++ stand in for
# Clang's own library.
#   tools/clang-check.sh [BUILD_FOLDER]     default build/mingw
# Prints each file's warnings and ends with "clang: N files, N with warnings".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/mingw}
db="$build/compile_commands.json"
[ -f "$db" ] || { echo "clang-check: $db is missing (configure and build the mingw preset first)" >&2; exit 1; }
command -v clang++ >/dev/null || { echo "clang-check: clang++ is missing (tools/setup-packages.sh fuzz)" >&2; exit 1; }

gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
[ -d "$gcc_dir/include/c++" ] || { echo "clang-check: no libstdc++ headers in $gcc_dir" >&2; exit 1; }

work="$build/clang-check"
rm -rf "$work"
mkdir -p "$work"

# One response file per source: its folder on the first line, then the flags Clang takes from
# GCC's command, then the file. CMake writes "command" and "file" on lines of their own.
awk -v root="$root/" -v work="$work" -v gcc="$gcc_dir" '
  /^  "directory": / { dir = $0; sub(/^  "directory": "/, "", dir); sub(/",?$/, "", dir) }
  /^  "command": / { cmd = $0; sub(/^  "command": "/, "", cmd); sub(/",?$/, "", cmd) }
  /^  "file": / {
    file = $0; sub(/^  "file": "/, "", file); sub(/",?$/, "", file)
    if (file !~ /\.cpp$/ || index(file, root) != 1) next
    rel = substr(file, length(root) + 1)
    if (rel !~ /^(src|substitutes|tools|tests|bench)\//) next
    n = split(cmd, t, " ")
    flags = ""
    for (i = 2; i <= n; ++i) {
      if (t[i] == "-isystem" || t[i] == "-I") { flags = flags " " t[i] " " t[i + 1]; ++i }
      else if (t[i] ~ /^-(D|I|std=)/) flags = flags " " t[i]
    }
    out = sprintf("%s/%04d.rsp", work, ++count)
    print dir > out
    print "--target=x86_64-w64-mingw32 -fsyntax-only -Werror -Wall -Wextra -Wshadow" \
          " -isystem " gcc "/include/c++ -isystem " gcc "/include/c++/x86_64-w64-mingw32" flags " " file > out
    close(out)
  }
' "$db"

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
