#!/usr/bin/env bash
# apt-get update, tried again after a pause when an index fails to download (a mirror caught
# in a sync serves a file of the wrong size for a while, sometimes for days). When some index
# still failed after the last try, names each one on stdout ("the bookworm-security i386
# index") and exits 1; the lists that did download are in place either way.
set -uo pipefail
tries=${QRV_APT_TRIES:-3}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for try in $(seq 1 "$tries"); do
    apt-get update -qq -o Acquire::Retries=2 >"$out" 2>&1 && exit 0
    [ "$try" -lt "$tries" ] && sleep "${QRV_APT_PAUSE:-10}"
done
cat "$out" >&2
# ".../dists/bookworm-security/main/binary-i386/Packages.xz" -> "the bookworm-security i386 index"
grep -oE 'Failed to fetch [^ ]+' "$out" |
    sed -nE 's#.*/dists/([^/]+)/[^/]+/binary-([^/]+)/.*#the \1 \2 index#p; t; s#Failed to fetch (.*)#\1#p' |
    sort -u
exit 1
