#!/usr/bin/env bash
# Runs some tests of a GoogleTest program on the bench: gtest_set.sh STATE EXE REQUIRED OPTIONAL,
# where REQUIRED and OPTIONAL are gtest filters (patterns joined by ':', REQUIRED may end in a
# '-' part of exclusions). Passes the program's exit code on, and fails when a pattern of
# REQUIRED started no test (a renamed test would otherwise leave the set smaller without a
# word), or when the program ended before its last test, naming the test it stopped in.
# OPTIONAL patterns may match nothing.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
state=$1 exe=$2 required=$3 optional=${4:-}
excluded=""
if [[ $required == *-* ]]; then
    excluded=-${required#*-}
    required=${required%%-*}
fi
filter=$required
[ -n "$optional" ] && filter+=":$optional"
filter+=$excluded
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$here/run.sh" "$state" "$exe" --gtest_filter="$filter" 2>&1 | tee "$out"
status=${PIPESTATUS[0]}
mapfile -t started < <(sed -n 's/\r$//; s/^\[ RUN      \] //p' "$out")
# GoogleTest's last line of a whole run: "[==========] N tests from M test suites ran."
if ! grep -qE '^\[==========\] [0-9]+ tests? from [0-9]+ test suites? ran' "$out"; then
    if [ ${#started[@]} -gt 0 ]; then
        echo "gtest_set.sh: the run stopped in ${started[-1]} (exit code $status)" >&2
    else
        echo "gtest_set.sh: the run stopped before its first test (exit code $status)" >&2
    fi
    [ "$status" -ne 0 ] || status=1
fi
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
