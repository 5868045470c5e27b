#!/usr/bin/env bash
# The program's start-up under Wine (bench/win/startup_bench.cpp), each on a fresh bench: at 96
# and at 192 DPI, then at 96 DPI in the black high-contrast theme with high contrast off and on
# (the same colours and the same stand-in for the flag both times, so that those two rows
# differ in the program's own painting alone). Prints one table row each.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target startup_bench >/dev/null
state=$(mktemp -d /tmp/qrv-bench.XXXXXX)
trap 'bash tests/win/bench/down.sh "$state/bench.state" >/dev/null 2>&1; rm -rf "$state"' EXIT
rows=0
# bench DPI [THEME] -- [BENCHMARK ARGUMENTS]...: one row for each run, on one fresh bench.
bench() {
    local up=()
    while [ "$1" != -- ]; do
        up+=("$1")
        shift
    done
    shift
    bash tests/win/bench/up.sh "$state/bench.state" x86_64 "${up[@]}" >/dev/null
    # shellcheck disable=SC1091
    . "$state/bench.state"
    local arguments keep
    for arguments in "$@"; do
        keep=1 # the table's row, and before the first one its head
        [ "$rows" = 0 ] && keep=3
        # shellcheck disable=SC2086
        "$QRV_WINE" build/win64/bench/win/startup_bench.exe $arguments | tail -n "$keep"
        rows=$((rows + 1))
    done
    bash tests/win/bench/down.sh "$state/bench.state" >/dev/null 2>&1
}
bench 96 -- ""
bench 192 -- ""
bench 96 high-contrast -- "--high-contrast off" "--high-contrast on"
