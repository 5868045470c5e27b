#!/usr/bin/env bash
# Runs one Windows program under the bench's prefix and display; passes its exit code on.
set -uo pipefail
state=$1
shift
if [ ! -f "$state" ]; then
    echo "The Wine bench is not up (no $state); run the tests through ctest." >&2
    exit 1
fi
# shellcheck disable=SC1090
. "$state"
exec "${QRV_WINE:-wine}" "$@"
