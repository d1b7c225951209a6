#!/bin/bash
# Builds Startdeck and everything it comes with, and shows what was built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

tools/setup-packages.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw
cmake --preset native >/dev/null
cmake --build --preset native

bin="$root/build/mingw/bin"
echo
echo "Built (Windows x64, in $bin):"
for f in Startdeck.exe StartdeckResENU.dll StartdeckResDEU.dll StartdeckResFRA.dll \
         StartdeckResRUS.dll StartdeckResESN.dll infpack.exe; do
  [ -f "$bin/$f" ] && printf '  %-22s %8d bytes\n' "$f" "$(stat -c %s "$bin/$f")"
done
echo "Built (native tools, in $root/build/native):"
for f in tools/infpack/infpack bench/inf_decode_bench; do
  [ -f "$root/build/native/$f" ] && printf '  %s\n' "$f"
done
echo
echo "The start centre's window and its demo installation come with the next steps of the build;"
echo "for now Startdeck.exe loads its language library and exits."
