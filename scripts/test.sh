#!/usr/bin/env bash
# Sets everything up from nothing and runs every test: the native unit tests, the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer with the fuzzers for a bounded time,
# the 64-bit Windows build under Wine (unit tests and end-to-end tests), and the 32-bit
# shipping build with its checks. Ends with one line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1

jobs=$(nproc)
passed=0
failed=0
status=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

count() { # adds the counts of the ctest summary in $log
    local line total fails
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -z "$line" ]; then
        return
    fi
    fails=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - fails))
    failed=$((failed + fails))
}

stage() { # stage NAME COMMAND...: runs one step, keeps going after a failure
    echo "=== $1"
    shift
    if ! "$@"; then
        echo "=== FAILED: $*"
        status=1
        return 1
    fi
}

run_ctest() {
    ctest --preset "$1" -j "$jobs" "${@:2}" 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]}
    count
    return "$rc"
}

build() {
    cmake --preset "$1" -DQRV_WERROR=ON "${@:2}" >/dev/null && cmake --build --preset "$1" -j "$jobs"
}

stage "native build" build native && stage "native tests" run_ctest native
stage "sanitizer build" build native-san && stage "sanitizer tests and fuzzers" run_ctest native-san
stage "win64 build" build win64 && stage "win64 tests under Wine" run_ctest win64
stage "win32 build" build win32 && stage "win32 checks" bash scripts/check_win32.sh && passed=$((passed + 1)) || failed=$((failed + 1))

echo
echo "${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ] || status=1
exit "$status"
