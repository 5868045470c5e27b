#!/usr/bin/env bash
# The program's start against its floor under Wine (bench/startup_pairs.py): A, the program
# as its package holds it (without its debug information) with a one-part basket until the
# CAD library is asked for its formats, and B, an empty window program
# (bench/win/startup_floor.cpp), in PAIRS pairs on one booted prefix.
#   startup_floor.sh [PAIRS]     (default 15)
set -euo pipefail
pairs=${1:-15}
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" \
    --target program_package cadsim startup_floor >/dev/null
program=$(ls build/win64/package/QRV3DOVEravar-*-win64/QRV3DOVEravar.exe)
state=$(mktemp -d /tmp/qrv-bench.XXXXXX)
trap 'bash tests/win/bench/down.sh "$state/bench.state" >/dev/null 2>&1; rm -rf "$state"' EXIT
bash tests/win/bench/up.sh "$state/bench.state" >/dev/null
# shellcheck disable=SC1091
. "$state/bench.state"
echo "load before: $(uptime | sed 's/.*load average: //')"
python3 bench/startup_pairs.py "$pairs" "$program" dist/win64/demo/cadlib \
    build/win64/bench/win/startup_floor.exe "$state"
echo "load after: $(uptime | sed 's/.*load average: //')"
