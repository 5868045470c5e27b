#!/usr/bin/env bash
# The guard's cost per call into the CAD export library (bench/win/library_guard_bench.cpp),
# under Wine on a bench of its own. Builds the win64 preset's benchmark first.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target library_guard_bench >/dev/null
state=$(mktemp -d /tmp/qrv-bench.XXXXXX)
trap 'bash tests/win/bench/down.sh "$state/bench.state" >/dev/null 2>&1; rm -rf "$state"' EXIT
bash tests/win/bench/up.sh "$state/bench.state" >/dev/null
# shellcheck disable=SC1091
. "$state/bench.state"
wine build/win64/bench/win/library_guard_bench.exe | cat
