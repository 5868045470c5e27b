#!/usr/bin/env bash
# Tears down what up.sh started: the prefix's wineserver, the Xvfb display, the temp folder.
set -uo pipefail
state=$1
[ -f "$state" ] || exit 0
# shellcheck disable=SC1090
. "$state"
wineserver -k >/dev/null 2>&1 || true
kill "$QRV_XVFB_PID" 2>/dev/null || true
case "$QRV_BENCH_ROOT" in
    /tmp/qrv-winebench.*) rm -rf "$QRV_BENCH_ROOT" ;;
esac
rm -f "$state"
