#!/usr/bin/env bash
# The export run's cost per part under Wine (bench/win/export_run_bench.cpp).
set -euo pipefail
exec bash "$(dirname "$0")/win/run_under_wine.sh" export_run_bench
