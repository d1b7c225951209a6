#!/bin/bash
# The folders under src/ are the libraries. Every quoted include that crosses from one library's
# folder into another's must follow a link of the library graph CMake knows (directly or through
# others), so no include points up a floor. Needs a configured build tree (default build/mingw).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/mingw}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --graphviz="$work/deps.dot" "$build" >/dev/null
# "a -> b" for every link between two of our own libraries.
sed -n 's|.*// \(startdeck_[a-z_]*\) -> \(startdeck_[a-z_]*\)$|\1 \2|p' "$work/deps.dot" | sort -u >"$work/edges"

# folder (relative to src/) and the library its CMakeLists.txt makes first.
for list in src/*/CMakeLists.txt src/*/*/CMakeLists.txt; do
  [ -f "$list" ] || continue
  library=$(sed -n 's/^add_library(\(startdeck_[a-z_]*\).*/\1/p' "$list" | head -n 1)
  [ -n "$library" ] && echo "$(dirname "${list#src/}") $library"
done >"$work/folders"

awk -v edges="$work/edges" -v folders="$work/folders" '
  function reaches(from, to,    seen, queue, head, tail, node, i, n, next_) {
    if (from == to) return 1
    head = 0; tail = 0; queue[tail++] = from; seen[from] = 1
    while (head < tail) {
      node = queue[head++]
      n = split(links[node], next_, " ")
      for (i = 1; i <= n; i++) {
        if (next_[i] == to) return 1
        if (!(next_[i] in seen)) { seen[next_[i]] = 1; queue[tail++] = next_[i] }
      }
    }
    return 0
  }
  function library_of(path,    best, folder) {
    best = ""
    for (folder in libraryOf)
      if (index(path, folder "/") == 1 && length(folder) > length(best)) best = folder
    return best == "" ? "" : libraryOf[best]
  }
  BEGIN {
    while ((getline line < edges) > 0) { split(line, e, " "); links[e[1]] = links[e[1]] " " e[2] }
    while ((getline line < folders) > 0) { split(line, f, " "); libraryOf[f[1]] = f[2] }
    bad = 0
  }
  match($0, /^[ \t]*#[ \t]*include[ \t]*"[a-z]+(\/[A-Za-z0-9_]+)*\/[A-Za-z0-9_]+\.h"/) {
    header = $0; sub(/^[^"]*"/, "", header); sub(/".*$/, "", header)
    file = FILENAME; sub(/^src\//, "", file)
    from = library_of(file); to = library_of(header)
    if (from == "" || to == "" || from == to) next
    checked++
    if (!reaches(from, to)) { printf "%s:%d: %s (%s) includes %s (%s), which it does not link\n", FILENAME, FNR, file, from, header, to; bad++ }
  }
  END { printf "layers: %d includes across libraries, %d against the library graph\n", checked, bad; exit bad != 0 }
' $(find src -name '*.cpp' -o -name '*.h' | sort)
