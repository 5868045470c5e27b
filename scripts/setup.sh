#!/usr/bin/env bash
# Installs what the project needs from Debian, only what is missing. Safe to run again.
#   setup.sh          what the native builds, the Windows builds and the x86_64 build's runs
#                     under 64-bit Wine need; nothing of Debian's i386 architecture
#   setup.sh --i686   also the i386 side that runs the i686 build's tests (scripts/setup_i386.sh)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
packages=(
    cmake ninja-build ccache g++ clang libclang-rt-14-dev
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
    # An index of another architecture that fails to download (a mirror in sync) must not stop
    # the amd64 install: apt-get update then fails although every list it needs is there.
    bash "$here/apt_update.sh" || echo "Some package index did not download; installing from the ones that did."
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ "${1:-}" = --i686 ]; then
    bash "$here/setup_i386.sh"
fi
