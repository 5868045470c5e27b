#!/usr/bin/env bash
# Sets everything up from nothing and runs every test. The stages, in order:
#   win32 build           the i686 shipping build; its Wine tests start at once and run beside
#                         the rest (their output comes at the end): where they are emulated,
#                         they take longest
#   win32 checks          the shipping build's program folder and CAD library exports
#   win64 build           the x86_64 Windows build; its Wine tests start at once as well
#   win64/win32 package check
#   native build          the portable core, its unit tests, the tools, the benchmarks and the
#                         fuzzers under AddressSanitizer and UndefinedBehaviorSanitizer
#   native tests          the unit tests, the layer and set-up checks, the fuzzers for a while
#   win64/win32 tests under Wine
# Which Wine tests run for the i686 build depends on how this machine runs 32-bit programs
# (scripts/i686_way.sh): all of them where the kernel runs them; where qemu-i386-static runs
# them instead (QRV_EMULATE_I686=1 takes that way anywhere), the set of ctest label
# i686-emulated, what only the i686 build can break (README: "The i686 build where the kernel
# runs no 32-bit code"). The Wine benches copy a prefix booted once per machine
# (tests/win/bench/prefix_image.sh); a missing one boots at the start, beside the builds.
# Counts come from ctest's JUnit files. Ends with the builds that ran under Wine, how the i686
# tests ran and how many passed, and one line "N passed, N failed, in M min S s".
#
# Builds are kept in build/<preset> and compiled through ccache, so a second run compiles only
# what changed (the cache is ccache's own, ~/.cache/ccache).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
bash scripts/setup.sh --i686 || exit 1

jobs=$(nproc)
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
status=0
passed=0 # stages that are tests of their own; ctest's tests are counted from the JUnit files
failed=0

# stage NAME COMMAND...: one step; says how long it took, and counts a failure.
stage() {
    local name=$1 start=$SECONDS
    echo "=== $name"
    shift
    if ! "$@"; then
        echo "=== FAILED: $name ($((SECONDS - start)) s)"
        failed=$((failed + 1))
        return 1
    fi
    echo "=== $name took $((SECONDS - start)) s"
}
# check NAME COMMAND...: a stage that is a test of its own, counted when it passes too.
check() {
    stage "$@" && passed=$((passed + 1))
}
build() {
    cmake --preset "$1" -DQRV_WERROR=ON >/dev/null && cmake --build --preset "$1" -j "$jobs"
}
# ctest's results in a JUnit file (the file's name follows), with the output of passed tests
# kept whole: each GoogleTest program's own summary is in it.
junit=(--test-output-size-passed 4000000 --output-junit)

# A build's Wine tests run in the background while the rest is built; their output is shown
# once they have ended. wine_tests BUILD COMMAND... starts them, wine_results BUILD waits.
wine_tests() {
    local build=$1
    shift
    "$@" >"$results/$build.log" 2>&1 &
    echo "$! $SECONDS" >"$results/$build.job"
}
wine_results() {
    local build=$1 pid began
    [ -f "$results/$build.job" ] || return 0
    read -r pid began <"$results/$build.job"
    echo "=== $build tests under Wine"
    wait "$pid"
    local rc=$?
    cat "$results/$build.log"
    if [ "$rc" -ne 0 ]; then
        echo "=== FAILED: the $build tests under Wine"
        status=1
    fi
    echo "=== the $build tests under Wine ended $((SECONDS - began)) s after they began"
}

# How the i686 build's programs run here: native, emulated or none (then a line why).
i686=$(bash scripts/i686_way.sh)
i686_way=${i686%%$'\n'*}
i686_why=$(sed -n 2p <<<"$i686")
echo "i686 programs: $i686_way${i686_why:+ ($i686_why)}"

# Each architecture's booted prefix, on the first run on this machine: beside the builds.
image=tests/win/bench/prefix_image.sh
{
    bash "$image" x86_64
    case $i686_way in
    native) bash "$image" i686 ;;
    emulated) bash scripts/emulated_i686.sh bash "$image" i686 ;;
    esac
} >"$results/prefix-images.log" 2>&1 &
images=$!

if stage "win32 build" build win32; then
    case $i686_way in
    native)
        wine_tests win32 ctest --preset win32 -j 8 -LE i686-emulated "${junit[@]}" "$results/win32.xml"
        ;;
    emulated)
        wine_tests win32 bash scripts/emulated_i686.sh \
            ctest --preset win32 -j "$jobs" -L i686-emulated "${junit[@]}" "$results/win32.xml"
        ;;
    esac
    check "win32 checks" bash scripts/check_win32.sh
fi
if stage "win64 build" build win64; then
    wine_tests win64 ctest --preset win64 -j 8 "${junit[@]}" "$results/win64.xml"
fi
for preset in win64 win32; do
    check "$preset package check" bash scripts/check_package.sh "build/$preset"
done
stage "native build" build native-san &&
    stage "native tests" ctest --preset native-san -j "$jobs" "${junit[@]}" "$results/native.xml"
wine_results win64
wine_results win32
wait "$images" || { echo "=== booting the Wine prefixes failed:"; cat "$results/prefix-images.log"; }

read -r junit_passed junit_failed < <(python3 scripts/junit_results.py counts "$results"/*.xml)
passed=$((passed + junit_passed))
failed=$((failed + junit_failed))
echo
for preset in win64 win32; do
    if python3 scripts/junit_results.py ran "$results/$preset.xml" e2e_; then
        if [ "$preset" = win32 ]; then
            echo "under Wine: win32 ran $i686_way: $(python3 scripts/junit_results.py gtest-passed "$results/win32.xml") GoogleTest tests passed"
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
