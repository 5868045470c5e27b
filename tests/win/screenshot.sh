#!/usr/bin/env bash
# Takes a screenshot of the Wine bench's display from the Linux side.
#   tests/win/screenshot.sh STATE_FILE OUT.png   (the state file written by bench/up.sh)
#   tests/win/screenshot.sh OUT.png              (uses DISPLAY as it is)
# Windows programs under the bench can take one themselves: `qrvdrive screenshot FILE.png`.
set -euo pipefail
if [ $# -eq 2 ]; then
    # shellcheck disable=SC1090
    . "$1"
    shift
fi
if [ $# -ne 1 ] || [ -z "${DISPLAY:-}" ]; then
    echo "usage: $0 [STATE_FILE] OUT.png (needs DISPLAY or the bench's state file)" >&2
    exit 2
fi
mkdir -p "$(dirname "$1")"
import -window root -display "$DISPLAY" "$1"
