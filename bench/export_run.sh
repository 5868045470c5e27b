#!/usr/bin/env bash
# The export run's cost per part under Wine (bench/win/export_run_bench.cpp), on a Wine bench
# of its own. Builds the win64 preset first.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target export_run_bench >/dev/null
state=$(mktemp -d /tmp/qrv-bench.XXXXXX)
trap 'bash tests/win/bench/down.sh "$state/bench.state" >/dev/null 2>&1; rm -rf "$state"' EXIT
bash tests/win/bench/up.sh "$state/bench.state" >/dev/null
# shellcheck disable=SC1091
. "$state/bench.state"
wine build/win64/bench/win/export_run_bench.exe | cat
