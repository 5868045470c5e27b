#!/usr/bin/env bash
# Shows that a release is reproducible: check_reproducible.sh [COMMIT] (default HEAD).
# Clones the commit twice into two temporary folders and makes the release in each, one after
# the other and without the compiler cache, so that nothing is shared between the two; then
# compares the packages byte for byte and prints their sizes and SHA-256 sums.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$top" rev-parse "${1:-HEAD}")
work=$(mktemp -d /tmp/qrv-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
export CCACHE_DISABLE=1
for copy in first second-copy; do
    git clone -q "$top" "$work/$copy"
    git -C "$work/$copy" checkout -q "$commit"
    echo "=== release in $work/$copy ($(date -u '+%H:%M:%S'))"
    start=$SECONDS
    bash "$work/$copy/scripts/release.sh" "$work/$copy-out" >"$work/$copy.log" 2>&1 || {
        cat "$work/$copy.log"
        exit 1
    }
    echo "=== took $((SECONDS - start)) s"
done
status=0
for file in "$work"/first-out/*; do
    name=$(basename "$file")
    if cmp -s "$file" "$work/second-copy-out/$name"; then
        printf 'same      %-40s %9s bytes  %s\n' "$name" "$(stat -c %s "$file")" \
            "$(sha256sum "$file" | cut -d' ' -f1)"
    else
        printf 'DIFFERENT %s\n' "$name"
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "The two releases of $commit are byte-identical."
exit "$status"
