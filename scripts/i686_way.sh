#!/usr/bin/env bash
# Prints how this machine runs the i686 build's programs under Wine, as one word:
#   native     the kernel runs 32-bit programs
#   emulated   it does not (or QRV_EMULATE_I686=1 says to act as if), and qemu-i386-static
#              runs them for the tests (scripts/emulated_i686.sh)
#   none       neither; a second line says why
# Wine's 32-bit side (wine32) must be installed for the first two; scripts/setup.sh does that.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wine32=no
dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed" && wine32=yes

if [ "${QRV_EMULATE_I686:-}" != 1 ] && bash "$here/runs_32bit_programs.sh"; then
    if [ "$wine32" = yes ]; then
        echo native
    else
        printf 'none\nwine32 is not installed\n'
    fi
elif ! bash "$here/emulated_i686.sh" --check; then
    printf 'none\nthe kernel runs no 32-bit programs and binfmt_misc cannot hand them to qemu-i386-static here\n'
elif [ "$wine32" = no ]; then
    printf 'none\nwine32 is not installed\n'
else
    echo emulated
fi
