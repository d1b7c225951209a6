#!/bin/bash
# Installs the Debian packages the build and the tests need, only when one is missing.
#   tools/setup-packages.sh [fuzz]     fuzz: also Clang with libFuzzer, clang-format and clang-tidy, for
#                                      tools/fuzz.sh, clang-check.sh, format-check.sh and tidy-check.sh
set -euo pipefail

packages=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb
          googletest imagemagick x11-apps xauth libwine-dev zlib1g-dev wixl msitools)
[ "${1:-}" = fuzz ] && packages+=(clang clang-format clang-tidy)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  # Without a sync after every file: a machine that fails halfway installs again.
  $SUDO apt-get install -y -qq --no-install-recommends -o Dpkg::Options::=--force-unsafe-io "${missing[@]}" >/dev/null
fi
