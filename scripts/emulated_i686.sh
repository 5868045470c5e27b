#!/usr/bin/env bash
# Runs a command with every i386 program it starts (Wine's 32-bit loader among them) handed
# to qemu-i386-static.
#   emulated_i686.sh --check    exits 0 when that can be done here
#   emulated_i686.sh CMD...     runs CMD so and passes its exit code on
# Where the entry is registered for the whole machine (scripts/setup.sh does so where the
# kernel runs no 32-bit code), CMD simply runs. Otherwise CMD runs in a user and mount
# namespace with a binfmt_misc instance of its own (Linux 6.7 and later): the entry exists for
# CMD and its children only and goes away with them, so every other process on the machine
# keeps running 32-bit programs natively. Where no such namespace can be made, the entry is
# registered for the whole machine while CMD runs and removed on every way out.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binfmt() { bash "$here/i386_binfmt.sh" "$@"; }

if [ "${1:-}" = --inside ]; then # in the namespace: its own binfmt_misc, then CMD
    shift
    binfmt register >/dev/null
    bash "$here/runs_32bit_programs.sh" --any || { echo "qemu-i386-static runs no i386 program" >&2; exit 1; }
    exec "$@"
fi
private() { unshare --user --map-root-user --mount bash "$0" --inside "$@"; }

if [ "${1:-}" = --check ]; then
    [ -x /usr/bin/qemu-i386-static ] || exit 1
    binfmt registered && exit 0
    private true 2>/dev/null && exit 0
    [ "$(id -u)" -eq 0 ] # the whole machine's registration, for the time of a run
    exit
fi
[ $# -gt 0 ] || { echo "usage: $0 --check | CMD..." >&2; exit 2; }

if binfmt registered; then
    exec "$@"
fi
if private true 2>/dev/null; then
    exec unshare --user --map-root-user --mount bash "$0" --inside "$@"
fi
echo "No binfmt_misc of its own here: i386 programs of the whole machine run emulated until this ends." >&2
trap 'binfmt unregister' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP
binfmt register
set +e
"$@"
