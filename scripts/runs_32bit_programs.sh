#!/usr/bin/env bash
# Exits 0 when this machine's kernel runs 32-bit x86 Linux programs itself (what 32-bit Wine
# needs), else 1. Tries it: a static 32-bit program of two instructions that ends with exit
# code 42. Needs only binutils (as, ld), no 32-bit libraries.
# --any: also counts a program that runs through an emulator registered with binfmt_misc.
# Without it, the probe's ELF header carries a non-zero padding byte, which the kernel ignores
# and every emulator registration (matching the usual i386 header) does not match.
set -uo pipefail
any=no
[ "${1:-}" = --any ] && any=yes
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/probe.s" <<'ASM'
    .globl _start
_start:
    movl $1, %eax      # exit
    movl $42, %ebx     # status
    int $0x80
ASM
as --32 "$work/probe.s" -o "$work/probe.o" 2>/dev/null || exit 1
ld -m elf_i386 "$work/probe.o" -o "$work/probe" 2>/dev/null || exit 1
if [ "$any" = no ]; then
    # e_ident[15], the last padding byte of the ELF identification.
    printf 'Q' | dd of="$work/probe" bs=1 seek=15 conv=notrunc status=none || exit 1
fi
"$work/probe" 2>/dev/null
[ $? -eq 42 ]
