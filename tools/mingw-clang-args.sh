#!/bin/bash
# Turns the mingw build's compile_commands.json (GCC's commands) into Clang's: one line a C++
# source, "FOLDER<TAB>FILE<TAB>ARGUMENTS", where the arguments are what Clang needs to read the file
# as GCC did: the target x86_64-w64-mingw32, the file's defines, include folders and standard, and
# the headers of GCC's mingw-w64 libstdc++ standing in for Clang's own library. The source itself
# and the checker's own options (warnings, -fsyntax-only) are the caller's to add.
#   tools/mingw-clang-args.sh BUILD_FOLDER FOLDERS
# FOLDERS is an extended regular expression over the source's path in the repository (for
# example '^(src|tests)/'); a source outside the repository is never listed. Used by
# tools/clang-check.sh and tools/tidy-check.sh; run after `cmake --build --preset mingw`, so the
# generated headers the sources include exist.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?build folder}
folders=${2:?folders}
db="$build/compile_commands.json"
[ -f "$db" ] || { echo "mingw-clang-args: $db is missing (configure and build the mingw preset first)" >&2; exit 1; }

gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
[ -d "$gcc_dir/include/c++" ] || { echo "mingw-clang-args: no libstdc++ headers in $gcc_dir" >&2; exit 1; }

# CMake writes "directory", "command" and "file" on lines of their own, in that order. In a unity
# build (STARTDECK_UNITY_BUILD) the database names a target's batches (Unity/unity_N_cxx.cxx in the
# build folder) instead of its sources: each batch is a list of #include lines of sources compiled
# with the batch's command (CMake leaves a source with options of its own out of any batch), so each
# source listed there is given that command and read on its own, as without batches.
awk -v root="$root/" -v folders="$folders" -v gcc="$gcc_dir" '
  function emit(file) {
    if (file !~ /\.cpp$/ || index(file, root) != 1) return
    if (substr(file, length(root) + 1) !~ folders) return
    printf "%s\t%s\t--target=x86_64-w64-mingw32 -isystem %s/include/c++ -isystem %s/include/c++/x86_64-w64-mingw32%s\n",
           dir, file, gcc, gcc, flags
  }
  /^  "directory": / { dir = $0; sub(/^  "directory": "/, "", dir); sub(/",?$/, "", dir) }
  /^  "command": / { cmd = $0; sub(/^  "command": "/, "", cmd); sub(/",?$/, "", cmd) }
  /^  "file": / {
    file = $0; sub(/^  "file": "/, "", file); sub(/",?$/, "", file)
    n = split(cmd, t, " ")
    flags = ""
    for (i = 2; i <= n; ++i) {
      if (t[i] == "-isystem" || t[i] == "-I") { flags = flags " " t[i] " " t[i + 1]; ++i }
      else if (t[i] ~ /^-(D|I|std=)/) flags = flags " " t[i]
    }
    if (file ~ /\/Unity\/unity_[0-9]+_cxx\.cxx$/) {
      batched = 0
      while ((getline line < file) > 0) {
        if (line !~ /^#include "/) continue
        sub(/^#include "/, "", line); sub(/"$/, "", line)
        emit(line)
        ++batched
      }
      close(file)
      if (!batched) { print "mingw-clang-args: no sources in the batch " file > "/dev/stderr"; exit 1 }
    } else {
      emit(file)
    }
  }
' "$db"
