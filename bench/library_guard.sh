#!/usr/bin/env bash
# The guard's cost per call into the CAD export library (bench/win/library_guard_bench.cpp).
set -euo pipefail
exec bash "$(dirname "$0")/win/run_under_wine.sh" library_guard_bench
