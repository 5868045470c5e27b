#!/usr/bin/env bash
# Runs some tests of a GoogleTest program on the bench: gtest_set.sh STATE EXE REQUIRED OPTIONAL,
# where REQUIRED and OPTIONAL are gtest filters (patterns joined by ':'). Passes the program's
# exit code on, and fails when a pattern of REQUIRED started no test (a renamed test would
# otherwise leave the set smaller without a word). OPTIONAL patterns may match nothing.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
state=$1 exe=$2 required=$3 optional=${4:-}
filter=$required
[ -n "$optional" ] && filter+=":$optional"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$here/run.sh" "$state" "$exe" --gtest_filter="$filter" 2>&1 | tee "$out"
status=${PIPESTATUS[0]}
mapfile -t started < <(sed -n 's/\r$//; s/^\[ RUN      \] //p' "$out")
IFS=: read -r -a patterns <<<"$required"
for pattern in "${patterns[@]}"; do
    found=no
    for name in "${started[@]}"; do
        # shellcheck disable=SC2053 # gtest's * and ? are the shell's.
        [[ $name == $pattern ]] && found=yes && break
    done
    if [ "$found" = no ]; then
        echo "gtest_set.sh: no test matching $pattern ran" >&2
        status=1
    fi
done
exit "$status"
