#!/usr/bin/env bash
# The program's start-up under Wine at 96 and at 192 DPI (bench/win/startup_bench.cpp), each on
# a fresh bench of that DPI. Prints one table row per DPI.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target startup_bench >/dev/null
state=$(mktemp -d /tmp/qrv-bench.XXXXXX)
trap 'bash tests/win/bench/down.sh "$state/bench.state" >/dev/null 2>&1; rm -rf "$state"' EXIT
for dpi in 96 192; do
    bash tests/win/bench/up.sh "$state/bench.state" x86_64 "$dpi" >/dev/null
    # shellcheck disable=SC1091
    . "$state/bench.state"
    "$QRV_WINE" build/win64/bench/win/startup_bench.exe | { [ "$dpi" = 96 ] && cat || tail -n 1; }
    bash tests/win/bench/down.sh "$state/bench.state" >/dev/null 2>&1
done
