#!/usr/bin/env bash
# The i386 side that runs the i686 build's tests under Wine: Debian's i386 architecture and
# wine32, and qemu-user-static where the kernel runs no 32-bit code. Says in one line how 32-bit
# programs run here. Only the test command needs this; the demo runs the x86_64 build alone.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

install_i386() { # install_i386 PACKAGE...: Debian's i386 packages (and amd64 ones) if missing
    local need=()
    for p in "$@"; do
        installed "$p" || need+=("$p")
    done
    [ ${#need[@]} -gt 0 ] || return 0
    echo "Installing: ${need[*]} (for the i686 build's tests)"
    export DEBIAN_FRONTEND=noninteractive
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    local failed note=()
    if ! failed=$(bash "$here/apt_update.sh"); then
        note=(--note "$(paste -sd, <<<"${failed:-an index}" | sed 's/,/, /g') did not download")
    fi
    # Where an index is missing, the amd64 side may hold libraries that i386 cannot match:
    # they are aligned to a version both offer (scripts/apt_install_aligned.py).
    python3 "$here/apt_install_aligned.py" "${note[@]}" "${need[@]}"
}

# The probe needs binutils, which came with g++.
if [ "${QRV_EMULATE_I686:-}" != 1 ] && bash "$here/runs_32bit_programs.sh"; then
    install_i386 wine32:i386
    echo "32-bit programs run here natively."
else
    install_i386 qemu-user-static wine32:i386
    if [ "${QRV_EMULATE_I686:-}" = 1 ]; then
        echo "32-bit programs run here emulated for the i686 tests (QRV_EMULATE_I686=1):" \
            "qemu-i386-static, in a namespace of the tests' own."
    elif bash "$here/emulated_i686.sh" --check; then
        echo "32-bit programs run here emulated for the i686 tests: the kernel runs none," \
            "qemu-i386-static runs them for the i686 tests alone."
    else
        echo "32-bit programs do not run here: the kernel runs none and binfmt_misc cannot hand" \
            "them to qemu-i386-static; the i686 build is built and checked, not run under Wine."
    fi
fi
