#!/usr/bin/env bash
# Exits 0 when this machine runs 32-bit x86 Linux programs (what 32-bit Wine needs), else 1.
# Tries it: a static 32-bit program of two instructions that ends with exit code 42. Needs
# only binutils (as, ld), no 32-bit libraries.
set -uo pipefail
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
"$work/probe" 2>/dev/null
[ $? -eq 42 ]
