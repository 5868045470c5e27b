#!/usr/bin/env bash
# Runs a command where no i386 program can start, as on a machine whose kernel runs no 32-bit
# code and has no emulator for it:
#   without_i386.sh CMD...     runs CMD so and passes its exit code on
#   without_i386.sh --check    exits 0 when that can be done here
# CMD runs in a mount namespace of its own (a user namespace too where one can be made), in
# which Wine's 32-bit loader is an unusable file, so Wine starts no 32-bit process: a 64-bit
# prefix boots without its 32-bit side and every 32-bit program fails at once. Where the
# kernel gives the namespace a binfmt_misc of its own (Linux 6.7 and later), an entry there
# makes every other i386 program fail to start too. Nothing outside the namespace changes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# Wine's 32-bit loader and its preloader (Debian's wine32), under the 64-bit loader's name
# without "64", which is where the 64-bit loader looks for it.
loaders=(/usr/lib/wine/wine /usr/lib/wine/wine-preloader)

if [ "${1:-}" = --inside ]; then
    shift
    for loader in "${loaders[@]}"; do
        [ -e "$loader" ] && mount --bind /dev/null "$loader"
    done
    # An i386 ELF entry whose interpreter does not exist: every such exec fails.
    dir=/proc/sys/fs/binfmt_misc
    if [ "${QRV_OWN_USERNS:-}" = 1 ] && mount -t binfmt_misc binfmt_misc "$dir" 2>/dev/null; then
        magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
        mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
        printf '%s' ":qrv-no-i386:M::$magic:$mask:/nonexistent/qrv-no-i386:" >"$dir/register"
    fi
    exec "$@"
fi

namespace() { # namespace CMD...: CMD in a user and mount namespace, or a mount namespace
    if unshare --user --map-root-user --mount true 2>/dev/null; then
        QRV_OWN_USERNS=1 unshare --user --map-root-user --mount "$@"
    else
        unshare --mount --propagation private "$@"
    fi
}

if [ "${1:-}" = --check ]; then
    namespace bash "$0" --inside true 2>/dev/null
    exit
fi
[ $# -gt 0 ] || { echo "usage: $0 --check | CMD..." >&2; exit 2; }
namespace bash "$0" --inside "$@"
