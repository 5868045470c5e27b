#!/usr/bin/env bash
# Installs what the project needs from Debian, only what is missing. Safe to run again.
# Never the i386 architecture or wine32: 32-bit Linux binaries cannot run on these machines;
# 64-bit Wine runs our 64-bit Windows build.
set -euo pipefail
packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64 xvfb xauth x11-utils imagemagick
    mdbtools zip unzip python3
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
