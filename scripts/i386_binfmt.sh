#!/usr/bin/env bash
# The binfmt_misc entry that hands every i386 Linux program to qemu-i386-static, so that
# Wine's 32-bit side runs where the kernel runs no 32-bit code.
#   i386_binfmt.sh register   [DIR]  mounts binfmt_misc at DIR if needed, adds the entry
#   i386_binfmt.sh unregister [DIR]  removes it
#   i386_binfmt.sh registered [DIR]  exits 0 when the entry is there and enabled
# DIR is /proc/sys/fs/binfmt_misc unless given. Needs root (or a user namespace's root).
set -euo pipefail
action=${1:?register, unregister or registered}
dir=${2:-/proc/sys/fs/binfmt_misc}
name=qrv-i386
qemu=/usr/bin/qemu-i386-static
# The i386 ELF header (executables and shared objects) as qemu's own binfmt entries match it.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

case $action in
registered)
    [ -f "$dir/$name" ] && head -n 1 "$dir/$name" | grep -qx enabled
    ;;
register)
    [ -x "$qemu" ] || { echo "$qemu is missing (Debian's qemu-user-static)" >&2; exit 1; }
    [ -f "$dir/register" ] || mount -t binfmt_misc binfmt_misc "$dir"
    # F: the kernel opens the emulator now, so it is found from any mount namespace later.
    [ -f "$dir/$name" ] || printf '%s' ":$name:M::$magic:$mask:$qemu:F" >"$dir/register"
    ;;
unregister)
    if [ -f "$dir/$name" ]; then
        echo -1 >"$dir/$name"
    fi
    ;;
*)
    echo "unknown action: $action" >&2
    exit 2
    ;;
esac
