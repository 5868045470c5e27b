#!/usr/bin/env bash
# Builds the native preset and runs every benchmark, printing their tables.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build --preset native -j "$(nproc)"
for b in build/native/bench/*_bench; do
    echo "=== $(basename "$b")"
    "$b" --benchmark_min_time=0.2
done
for s in bench/*.sh; do
    [ -e "$s" ] || continue
    echo "=== $(basename "$s")"
    bash "$s"
done
