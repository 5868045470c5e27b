#!/usr/bin/env bash
# Sets everything up from nothing and runs every test: the native unit tests, the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer with the fuzzers for a bounded time,
# both Windows builds with the checks of the shipping build, and the Wine tests (unit tests
# and end-to-end tests) of the x86_64 build and, where this machine runs 32-bit programs, of
# the i686 build: all of them where the kernel runs 32-bit programs, the unit tests and a small
# end-to-end set (ctest label i686-emulated) where qemu-i386-static runs them instead
# (scripts/i686_way.sh; QRV_EMULATE_I686=1 takes that way anywhere). Each Windows build's Wine
# tests start as soon as it is built and run while the rest is built, each build on Wine
# benches of its own. Ends with the builds that ran under Wine, how the i686 tests ran and how
# many passed, and one line "N passed, N failed".
#
# Builds are kept in build/<preset> and compiled through ccache, so a second run compiles only
# what changed (the cache is ccache's own, ~/.cache/ccache).
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --i686 || exit 1

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

stage() { # stage NAME COMMAND...: runs one step, keeps going after a failure; says its time
    local name=$1 start=$SECONDS
    echo "=== $name"
    shift
    if ! "$@"; then
        echo "=== FAILED: $* ($((SECONDS - start)) s)"
        status=1
        return 1
    fi
    echo "=== $name took $((SECONDS - start)) s"
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

# ran_test LOG NAME: the ctest test NAME was executed (passed or not) in that ctest run.
ran_test() {
    grep -E "^ *[0-9]+/[0-9]+ Test +#[0-9]+: $2 " "$1" | grep -qv 'Not Run'
}

# gtest_passed JUNIT: the GoogleTest tests that passed, summed over a ctest run's JUnit file.
gtest_passed() {
    grep -oE '\[  PASSED  \] [0-9]+ tests?' "$1" 2>/dev/null |
        awk '{ n += $4 } END { print n + 0 }'
}

# Each build's Wine tests run at the same time (the tests mostly wait on Wine), then each
# one's output is shown in turn. wine_ran gets the builds whose end-to-end tests ran. Tests on
# different benches run side by side, as many as a build has benches.
wine_jobs=8
wine_names=()
wine_began=""
wine_pids=()
wine_ran=()
wine_start() { # wine_start NAME COMMAND...: one build's Wine tests, in the background
    [ -n "$wine_began" ] || wine_began=$SECONDS
    wine_names+=("$1")
    "${@:2}" >"$work/$1.log" 2>&1 &
    wine_pids+=($!)
}
wine_wait() { # wine_wait E2E_TEST...: the end-to-end test of each started build, in order
    local e2e=("$@") i rc name
    for i in "${!wine_names[@]}"; do
        name=${wine_names[$i]}
        wait "${wine_pids[$i]}"
        rc=$?
        echo "=== $name tests under Wine"
        cat "$work/$name.log"
        count "$work/$name.log"
        ran_test "$work/$name.log" "${e2e[$i]}" && wine_ran+=("$name")
        if [ "$rc" -ne 0 ]; then
            echo "=== FAILED: the $name tests under Wine"
            status=1
        fi
    done
}

# How the i686 build's programs run here: native, emulated or none (then a line why).
i686=$(bash scripts/i686_way.sh)
i686_way=${i686%%$'\n'*}
i686_why=$(sed -n 2p <<<"$i686")
echo "i686 programs: $i686_way${i686_why:+ ($i686_why)}"

# The Windows builds first, so that their Wine tests, which mostly wait on Wine, run while
# the native builds compile.
e2e=()
if stage "win64 build" build win64; then
    wine_start win64 ctest --preset win64 -j "$wine_jobs"
    e2e+=(e2e_tests_1)
fi
# The JUnit file keeps the output of passed tests too, where the GoogleTest counts are.
win32_junit=(--output-junit "$work/win32.xml" --test-output-size-passed 4000000)
if stage "win32 build" build win32; then
    case $i686_way in
    native) # everything; the emulated set's tests are among the end-to-end shards
        wine_start win32 ctest --preset win32 -j "$wine_jobs" \
            -E '^(e2e|unit_tests)_emulated_set$' "${win32_junit[@]}"
        e2e+=(e2e_tests_1)
        ;;
    emulated)
        wine_start win32 bash scripts/emulated_i686.sh \
            ctest --preset win32 -j "$jobs" -L i686-emulated "${win32_junit[@]}"
        e2e+=(e2e_emulated_set)
        ;;
    esac
    if stage "win32 checks" bash scripts/check_win32.sh; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
else
    failed=$((failed + 1))
fi
for preset in win64 win32; do
    if stage "$preset package check" bash scripts/check_package.sh "build/$preset"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
done
stage "native build" build native && stage "native tests" run_ctest native
stage "sanitizer build" build native-san && stage "sanitizer tests and fuzzers" run_ctest native-san
wine_wait "${e2e[@]}"
[ -z "$wine_began" ] || echo "=== the Wine tests ended $((SECONDS - wine_began)) s after the first began"

echo
for preset in win64 win32; do
    if [[ " ${wine_ran[*]} " == *" $preset "* ]]; then
        if [ "$preset" = win32 ]; then
            echo "under Wine: win32 ran $i686_way: $(gtest_passed "$work/win32.xml") GoogleTest tests passed"
        else
            echo "under Wine: $preset ran"
        fi
    elif [ "$preset" = win32 ] && [ "$i686_way" = none ]; then
        echo "under Wine: win32 not run ($i686_why)"
    else
        echo "under Wine: $preset DID NOT RUN"
        failed=$((failed + 1))
    fi
done
echo "${passed} passed, ${failed} failed, in $((SECONDS / 60)) min $((SECONDS % 60)) s"
[ "$failed" -eq 0 ] || status=1
exit "$status"
