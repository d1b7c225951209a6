#!/bin/bash
# Fails when a tracked C++ source or header of src/, tests/, substitutes/, tools/, bench/ or packaging/
# is not laid out as the root .clang-format says. Nothing is rewritten: the lines clang-format would change
# are printed. Every such file of those folders is ours and written by hand (the generated headers
# live in the build tree), so none is excepted.
#   tools/format-check.sh [REPOSITORY]     default this script's repository
# Ends with "format: N files, N not formatted".
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 1
command -v clang-format >/dev/null || { echo "format-check: clang-format is missing (tools/setup-packages.sh fuzz)" >&2; exit 1; }

# A copy of the tree that is not a checkout (a scratch folder) is checked by its files as they are.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -d '' files < <(git ls-files -z -- src tests substitutes tools bench packaging | grep -zE '\.(cpp|h)$')
else
  mapfile -d '' files < <(find src tests substitutes tools bench packaging -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
fi
((${#files[@]})) || { echo "format-check: no sources found in $root" >&2; exit 1; }

log=$(mktemp)
trap 'rm -rf "$log"' EXIT
# --Werror makes each file with a change an error; one clang-format a core, files in batches.
printf '%s\0' "${files[@]}" | xargs -0 -n 40 -P "$(nproc)" clang-format --dry-run --Werror >"$log" 2>&1
rc=$?
cat "$log"
bad=$(grep -E '^[^ :]+:[0-9]+:[0-9]+: error: code should be clang-formatted' "$log" | cut -d: -f1 | sort -u | wc -l)
# A run that failed without naming a file (an unreadable .clang-format, say) still fails.
if [ "$rc" -ne 0 ] && [ "$bad" -eq 0 ]; then
  echo "format-check: clang-format failed (exit $rc)" >&2
  bad=-1
fi
echo "format: ${#files[@]} files, $bad not formatted"
[ "$rc" -eq 0 ]
