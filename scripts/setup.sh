#!/usr/bin/env bash
# Installs what the project needs from Debian, only what is missing. Safe to run again.
# 64-bit Wine runs the x86_64 build everywhere. For the i686 build the i386 architecture and
# wine32 are added too: where the kernel runs 32-bit programs they run natively; where it does
# not (or QRV_EMULATE_I686=1), qemu-i386-static runs them, handed over by binfmt_misc.
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

install_i386() { # install_i386 PACKAGE...: Debian's i386 packages (and amd64 ones) if missing
    local need=()
    for p in "$@"; do
        installed "$p" || need+=("$p")
    done
    [ ${#need[@]} -gt 0 ] || return 0
    echo "Installing: ${need[*]} (for the i686 build's tests)"
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
}

# One line says how 32-bit programs run here. The probe needs binutils, which came with g++.
if [ "${QRV_EMULATE_I686:-}" != 1 ] && bash "$here/runs_32bit_programs.sh"; then
    install_i386 wine32:i386
    echo "32-bit programs run here natively."
else
    install_i386 qemu-user-static wine32:i386
    if [ "${QRV_EMULATE_I686:-}" = 1 ]; then
        # The rest of the machine keeps running them natively: no entry for the whole machine.
        echo "32-bit programs run here emulated for the i686 tests (QRV_EMULATE_I686=1):" \
            "qemu-i386-static, through a binfmt_misc entry that lasts one test run."
    elif bash "$here/i386_binfmt.sh" register && bash "$here/runs_32bit_programs.sh" --any; then
        echo "32-bit programs run here emulated: the kernel runs none, binfmt_misc hands them" \
            "to qemu-i386-static."
    elif bash "$here/emulated_i686.sh" --check; then
        echo "32-bit programs run here emulated for the i686 tests: the kernel runs none," \
            "qemu-i386-static runs them through a binfmt_misc entry that lasts one test run."
    else
        echo "32-bit programs do not run here: the kernel runs none and binfmt_misc cannot hand" \
            "them to qemu-i386-static; the i686 build is built and checked, not run under Wine."
    fi
fi
