#!/usr/bin/env bash
# Sets everything up from nothing and runs every test: the native unit tests, the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer with the fuzzers for a bounded time,
# both Windows builds with the checks of the shipping build, and the Wine tests (unit tests
# and end-to-end tests) of the x86_64 build and, where this machine runs 32-bit programs, of
# the i686 build. The two builds' Wine tests run at the same time, each on a Wine bench of its
# own. Ends with the builds that ran under Wine and one line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1

jobs=$(nproc)
passed=0
failed=0
status=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/ctest.log

count() { # count LOG: adds the counts of the ctest summary in LOG
    local line total fails
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
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
    count "$log"
    return "$rc"
}

build() {
    cmake --preset "$1" -DQRV_WERROR=ON "${@:2}" >/dev/null && cmake --build --preset "$1" -j "$jobs"
}

# ran_end_to_end LOG: the end-to-end tests were executed (passed or not) in that ctest run.
ran_end_to_end() {
    grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: e2e_tests ' "$1" | grep -qv 'Not Run'
}

# wine_tests PRESET...: each build's Wine tests at the same time (the tests mostly wait on
# Wine), then each one's output in turn. Sets wine_ran to the builds whose end-to-end tests ran.
wine_ran=()
wine_tests() {
    local presets=("$@") pids=() i rc preset
    for preset in "${presets[@]}"; do
        ctest --preset "$preset" -j "$jobs" >"$work/$preset.log" 2>&1 &
        pids+=($!)
    done
    for i in "${!presets[@]}"; do
        preset=${presets[$i]}
        wait "${pids[$i]}"
        rc=$?
        echo "=== $preset tests under Wine"
        cat "$work/$preset.log"
        count "$work/$preset.log"
        ran_end_to_end "$work/$preset.log" && wine_ran+=("$preset")
        if [ "$rc" -ne 0 ]; then
            echo "=== FAILED: ctest --preset $preset"
            status=1
        fi
    done
}

runs_32bit=no
bash scripts/runs_32bit_programs.sh && runs_32bit=yes

stage "native build" build native && stage "native tests" run_ctest native
stage "sanitizer build" build native-san && stage "sanitizer tests and fuzzers" run_ctest native-san
# Both Windows builds before any Wine test, so that compiling does not slow the tests down.
wine_presets=()
stage "win64 build" build win64 && wine_presets+=(win64)
if stage "win32 build" build win32; then
    if stage "win32 checks" bash scripts/check_win32.sh; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
    [ "$runs_32bit" = yes ] && wine_presets+=(win32)
else
    failed=$((failed + 1))
fi
[ ${#wine_presets[@]} -gt 0 ] && wine_tests "${wine_presets[@]}"

echo
for preset in win64 win32; do
    if [[ " ${wine_ran[*]} " == *" $preset "* ]]; then
        echo "under Wine: $preset ran"
    elif [ "$preset" = win32 ] && [ "$runs_32bit" = no ]; then
        echo "under Wine: win32 not run (this machine cannot run 32-bit programs)"
    else
        echo "under Wine: $preset DID NOT RUN"
        failed=$((failed + 1))
    fi
done
echo "${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ] || status=1
exit "$status"
