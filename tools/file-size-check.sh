#!/bin/bash
# A source file of src/ over 600 lines holds two things: each such file must be listed, with a
# reason, in tools/long-files.txt. A listed file that is no longer long must leave the list.
# Prints one summary line; exits non-zero on any finding.
set -uo pipefail
cd "$(dirname "$0")/.."
limit=600
list=tools/long-files.txt
allowed=$(grep -v '^#' "$list" | grep -v '^[[:space:]]*$' | cut -f1)
findings=0
while IFS= read -r file; do
  lines=$(wc -l <"$file")
  if [ "$lines" -gt "$limit" ] && ! grep -qxF "$file" <<<"$allowed"; then
    echo "$file: $lines lines, over $limit and not in $list"
    findings=$((findings + 1))
  fi
done < <(find src -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) | sort)
while IFS= read -r file; do
  [ -n "$file" ] || continue
  if [ ! -f "$file" ]; then
    echo "$list names $file, which does not exist"
    findings=$((findings + 1))
  elif [ "$(wc -l <"$file")" -le "$limit" ]; then
    echo "$list names $file, which has $(wc -l <"$file") lines now: take it off the list"
    findings=$((findings + 1))
  fi
done <<<"$allowed"
echo "file-size-check: $findings finding(s) over $(find src -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) | wc -l) sources"
[ "$findings" -eq 0 ]
