#!/usr/bin/env bash
# Installs what the project needs from Debian, only what is missing. Safe to run again.
# 64-bit Wine runs the x86_64 build everywhere. Where this machine runs 32-bit programs, the
# i386 architecture and wine32 are added too, so that Wine also runs the i686 build; where
# it does not, one line says so and the rest goes on without them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64 xvfb xauth x11-utils imagemagick
    mdbtools zip unzip python3
)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The probe needs binutils, which came with g++ above.
if bash "$here/runs_32bit_programs.sh"; then
    if ! installed wine32:i386; then
        echo "Installing: wine32:i386 (Wine's 32-bit side, for the i686 build)"
        dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null
    fi
else
    echo "This machine cannot run 32-bit programs: the i686 build is built and checked, not run under Wine."
fi
