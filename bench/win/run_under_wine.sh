#!/usr/bin/env bash
# Builds one benchmark of the win64 preset (bench/win/<name>.cpp) and runs it under Wine on a
# bench of its own: run_under_wine.sh <name>.
set -euo pipefail
name=$1
cd "$(dirname "$0")/../.."
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target "$name" >/dev/null
state=$(mktemp -d /tmp/qrv-bench.XXXXXX)
trap 'bash tests/win/bench/down.sh "$state/bench.state" >/dev/null 2>&1; rm -rf "$state"' EXIT
bash tests/win/bench/up.sh "$state/bench.state" >/dev/null
# shellcheck disable=SC1091
. "$state/bench.state"
"$QRV_WINE" "build/win64/bench/win/$name.exe" | cat
