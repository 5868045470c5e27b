#!/usr/bin/env bash
# Sets everything up and runs the program on its embedded default: our simulated CAD library,
# the demo basket (demo/demo_basket.env) and the demo texts database, from dist/win64. The
# demo's settings check two formats (STEP AP214 and STL), three subfolder levels and the zip
# file, with a destination of its own ($DEMO_OUT/export); the simulated library fails one part
# of the basket, so the error window has a line.
#
# With a display the program runs under Wine for you to work with, in a Wine prefix of its own
# that is kept between runs, and so are its settings; the script ends when the program does.
# Without one it runs on the Wine bench (a fresh prefix on an Xvfb display), driven by
# qrvdrive: it waits for the program controls, presses Export, follows the run to its end,
# prints the exported tree and the zip file's listing, saves screenshots of the main window,
# of the progress dialog at the end and of the error window, and presses Close.
#
# Options (environment variables):
#   DEMO_LANGUAGE   language of the program texts: ENGB (default), DEDE, CSCZ
#   DEMO_HEADLESS   1: run on the Wine bench even when a display is there
#   DEMO_OUT        folder for the call log and the demo's application data (build/demo)
#   DEMO_DPI        the bench display's DPI (96, Windows' 100 %; 144 is 150 %)
#   DEMO_SHOTS      folder for the screenshots (screenshots/)
#   DEMO_WINEPREFIX the Wine prefix of the display mode (build/demo/wineprefix)
#   DEMO_TIMEOUT    seconds the bench run waits for each step of the program (60; the wait
#                   for the CAD system adds CADSIM_START_DELAY_MS)
#   CADSIM_*        handed to the simulated CAD library (tools/cadsim/README.md);
#                   CADSIM_START_DELAY_MS defaults to 3000 so the starting panel shows a while,
#                   CADSIM_FAIL_PARTS to the basket's bearing "DIN 625 6205-2RS",
#                   CADSIM_LOG is always the demo's own.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

language=${DEMO_LANGUAGE:-ENGB}
out=$(realpath -m "${DEMO_OUT:-$root/build/demo}")
timeout=${DEMO_TIMEOUT:-60}
dist=$root/dist/win64
program=$dist/QRV3DOVEravar.exe
qrvdrive=$root/build/win64/tests/win/qrvdrive.exe
basket=$root/demo/demo_basket.env
shots=$(realpath -m "${DEMO_SHOTS:-$root/screenshots}")
log=$out/cadsim.log
appdata=$out/appdata
export_folder=$out/export
settings=$appdata/Quellon/DOVEravar/doveravar.ini

say() { printf '== %s\n' "$*"; }
fail() {
    printf 'demo: %s\n' "$*" >&2
    exit 1
}

# quietly LOG COMMAND...: runs a step with its output kept in LOG, shown only when it fails
# (without ninja's progress lines, so the errors stand out).
quietly() {
    local step_log=$1
    shift
    if ! "$@" >"$step_log" 2>&1; then
        grep -vE '^\[[0-9]+/[0-9]+\] ' "$step_log" >&2 || true
        fail "failed: $* (whole output in $step_log)"
    fi
}

# The Windows name of a Linux path: Wine maps the root folder to drive Z:.
windows_path() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}

# ---------------------------------------------------------------------------------------------
say "Installing what is missing (scripts/setup.sh)"
bash scripts/setup.sh
# Every Wine start here is of an x86_64 program, the prefix's set-up included.
wine64=$(bash scripts/wine_loader.sh x86_64)

mkdir -p "$out"
say "Building the win64 program (output in $out/build.log)"
quietly "$out/build.log" cmake --preset win64
# Only what the demo runs: the program, the simulated library, the texts database, the driver.
quietly "$out/build.log" cmake --build --preset win64 -j"$(nproc)" \
    --target QRV3DOVEravar cadsim texts_database qrvdrive
for f in "$program" "$dist/demo/cadlib/CADBasketDLL.dll" "$dist/data/tables/ado/QRV3RUN_2K.mdb" "$qrvdrive"; do
    [ -f "$f" ] || fail "the build left no $f"
done

# ---------------------------------------------------------------------------------------------
# The program's environment, as the parts catalogue would set it: the demo basket, the
# language, the folder of the CAD library, the simulator's settings and an application-data
# folder of the demo's own, so that the settings of a real user stay untouched. Handed over
# with `qrvdrive start --env`: Wine replaces an APPDATA inherited from Linux, but keeps what a
# Windows parent process sets.
env_args=()
while IFS= read -r line || [ -n "$line" ]; do
    line=${line%$'\r'}
    [[ $line =~ ^[[:space:]]*(#|$) ]] && continue
    [[ $line =~ ^[A-Za-z_][A-Za-z0-9_]*= ]] || fail "$basket: not a NAME=VALUE line: $line"
    env_args+=(--env "$line")
done <"$basket"
env_args+=(
    --env "xQRVLanguage=$language"
    --env "CADENASEXPORTDLL_=$(windows_path "$dist/demo/cadlib")"
    --env "CADSIM_START_DELAY_MS=${CADSIM_START_DELAY_MS:-3000}"
    --env "CADSIM_FAIL_PARTS=${CADSIM_FAIL_PARTS-DIN 625 6205-2RS}"
    --env "CADSIM_LOG=$(windows_path "$log")"
    --env "APPDATA=$(windows_path "$appdata")"
)
# Every other CADSIM_ setting of the caller reaches the library by inheritance.

# The demo's settings, as the program keeps them (UTF-16LE with its byte-order mark): two
# formats, the subfolder levels basket name, CAD format and series, a zip file, and the
# demo's own destination.
write_settings() {
    mkdir -p "$(dirname "$settings")" "$export_folder"
    printf '%s\r\n' '[Selection]' 'Formats=STEP-AP214~*~STL~*~' \
        'SubDirOrder=0~*~1~*~3~*~2~*~4~*~' 'SubDir=X~*~X~*~X~*~~*~~*~' 'CreateZipFile=X' \
        "ExportDestination=$(windows_path "$export_folder")" |
        iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$settings"
}

# The program text of a key in the demo's language, as the texts database has it; the key
# itself where it has none.
program_text() {
    local text
    text=$(awk -F'\t' -v language="$language" -v key="$1" \
        '$1 == language && $2 == "PROGRAM" && $3 == key { text = $4 } END { print text }' \
        data/texts/QRV3RUN_2K.tsv)
    printf '%s' "${text:-$1}"
}

start_program() { # prints the process id; the stderr of `start` must not be captured
    "$wine64" "$qrvdrive" start --cwd "$(windows_path "$out")" "${env_args[@]}" -- "$(windows_path "$program")"
}

# 0 while the process runs (exit code of `wait-exit --timeout 0` is 3 then).
program_running() {
    local rc=0
    "$wine64" "$qrvdrive" wait-exit "$1" --timeout 0 >/dev/null 2>&1 || rc=$?
    [ "$rc" -eq 3 ]
}

print_log() {
    say "Call log of the simulated CAD library: $log"
    if [ -f "$log" ]; then
        cat "$log"
    else
        echo "(no call log: the library was never loaded)"
    fi
}

# ---------------------------------------------------------------------------------------------
# Boots a new prefix as the Wine bench does (tests/win/bench/boot_prefix.sh): without its
# 32-bit side, Wine drawing the caption bars itself and waiting for no window manager.
boot_prefix() {
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$1"
    bash tests/win/bench/boot_prefix.sh x86_64 96 >>"$out/wineboot.log" 2>&1
}

run_with_display() {
    local prefix booted code rc
    prefix=$(realpath -m "${DEMO_WINEPREFIX:-$out/wineprefix}")
    export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
    booted=$prefix/.qrv-demo-booted
    if [ ! -f "$booted" ]; then
        say "Booting the demo's Wine prefix $prefix (once; output in $out/wineboot.log)"
        mkdir -p "$(dirname "$prefix")"
        : >"$out/wineboot.log"
        # A first boot on a busy machine fails now and then; a second one on a clean prefix not.
        boot_prefix "$prefix" || boot_prefix "$prefix" || {
            cat "$out/wineboot.log" >&2
            fail "wineboot failed"
        }
        touch "$booted"
    fi

    rm -f "$log"
    [ -f "$settings" ] || write_settings
    say "Starting the program on display $DISPLAY (language $language)"
    # Ending the script (Ctrl+C included) ends the program too.
    trap 'if [ -n "$display_pid" ] && program_running "$display_pid"; then "$wine64" "$qrvdrive" kill "$display_pid" || true; fi' EXIT
    trap 'exit 130' INT TERM
    display_pid=$(start_program) || fail "the program did not start"
    echo "The program runs (Windows process $display_pid); close its window to end the demo."
    while :; do
        rc=0
        code=$("$wine64" "$qrvdrive" wait-exit "$display_pid" --timeout 3600) || rc=$?
        [ "$rc" -eq 3 ] || break
    done
    display_pid=""
    [ "$rc" -eq 0 ] || fail "lost track of the program"
    echo "The program ended with exit code $code."
    echo "Call log of the simulated CAD library: $log"
    echo "The demo's application data (the program's settings): $appdata"
    [ "$code" = 0 ] || fail "exit code $code"
}

# ---------------------------------------------------------------------------------------------
# The states of one window as `qrvdrive texts` prints them after its text ("HANDLE CLASS
# "TEXT" visible focused"), padded with blanks: " visible focused ".
window_states() {
    local line
    line=$("$wine64" "$qrvdrive" texts "$1" --window "$2" | head -n 1)
    printf '%s ' "${line##*\"}"
}

# Stops the run when the program shows a message box or has ended.
check_alive() {
    local box
    if box=$("$wine64" "$qrvdrive" msgbox "$1" --timeout 0 2>/dev/null); then
        printf '%s\n' "$box"
        fail "the program shows a message box"
    fi
    if ! program_running "$1"; then
        fail "the program ended early, exit code $("$wine64" "$qrvdrive" wait-exit "$1" --timeout 0 || echo unknown)"
    fi
}

run_on_bench() {
    local pid main tree starting starting_line controls deadline code
    bench_work=$(mktemp -d /tmp/qrv-demo.XXXXXX)
    trap 'bash "$root/tests/win/bench/down.sh" "$bench_work/bench.state"; rm -rf "$bench_work"' EXIT
    say "Booting the Wine bench (a fresh prefix on an Xvfb display)"
    quietly "$out/bench.log" bash tests/win/bench/up.sh "$bench_work/bench.state" x86_64 "${DEMO_DPI:-96}"
    # shellcheck disable=SC1091
    . "$bench_work/bench.state"

    rm -rf "$appdata" "$log" "$export_folder"
    write_settings
    mkdir -p "$shots"
    rm -f "$shots"/demo-*.png
    say "Starting the program (language $language)"
    pid=$(start_program) || fail "the program did not start"
    main=$("$wine64" "$qrvdrive" wait-window "$pid" --class TfrmExport --timeout "$timeout") ||
        { check_alive "$pid"; fail "no main window"; }
    bash tests/win/screenshot.sh "$shots/demo-1-starting.png"
    echo "Main window $main; screenshot $shots/demo-1-starting.png"

    # Read after the screenshot: while the starting panel still shows here, it showed there.
    tree=$("$wine64" "$qrvdrive" texts "$pid" --window "$main")
    starting=$(awk '$2 == "TQRVPanel" && $3 == "id=100" { print $1 }' <<<"$tree")
    controls=$(awk '$2 == "TQRVPanel" && $3 == "id=101" { print $1 }' <<<"$tree")
    if [ -z "$starting" ] || [ -z "$controls" ]; then
        printf '%s\n' "$tree"
        fail "the main window lacks its panels"
    fi
    starting_line=$(grep -E "^ *$starting " <<<"$tree")
    if [[ "${starting_line##*\"} " != *' visible '* ]]; then
        echo "note: the starting panel had gone before the first screenshot; raise CADSIM_START_DELAY_MS"
    fi

    say "Waiting for the CAD system and the program controls"
    deadline=$((SECONDS + timeout))
    if [[ ${CADSIM_START_DELAY_MS:-} =~ ^[0-9]{1,9}$ ]]; then
        deadline=$((deadline + CADSIM_START_DELAY_MS / 1000))
    fi
    until [[ $(window_states "$pid" "$starting") == *' hidden '* ]]; do
        check_alive "$pid"
        [ "$SECONDS" -lt "$deadline" ] || fail "the starting panel still shows after $timeout s"
        sleep 0.3
    done
    [[ $(window_states "$pid" "$controls") == *' visible '* ]] || fail "the starting panel went, but no program controls came"
    # The start-up ends with the saved choices in place and Export pressable.
    export_button=$(awk '$3 == "id=120" { print $1 }' <<<"$tree")
    until [[ $(window_states "$pid" "$export_button") != *' disabled '* ]]; do
        check_alive "$pid"
        [ "$SECONDS" -lt "$deadline" ] || fail "Export did not become pressable"
        sleep 0.3
    done
    bash tests/win/screenshot.sh "$shots/demo-2-ready.png"
    echo "Program controls shown; screenshot $shots/demo-2-ready.png"
    say "The formats and the subfolder levels"
    "$wine64" "$qrvdrive" list "$pid" --window "$main" --id 114 --check-list
    "$wine64" "$qrvdrive" list "$pid" --window "$main" --id 116 --check-list

    say "Pressing Export"
    "$wine64" "$qrvdrive" click "$pid" --window "$main" --id 120 --real
    dialog=$("$wine64" "$qrvdrive" wait-window "$pid" --class TfrmExportDetails --timeout "$timeout") ||
        fail "no progress dialog"
    # The run has ended when the dialog's button reads the "~Close" text.
    "$wine64" "$qrvdrive" wait-text "$pid" --window "$dialog" --id 308 --timeout "$timeout" \
        "$(program_text '~Close')" || { check_alive "$pid"; fail "the run did not end"; }
    bash tests/win/screenshot.sh "$shots/demo-3-finished.png"
    echo "Run ended; screenshot $shots/demo-3-finished.png"
    say "The progress dialog"
    "$wine64" "$qrvdrive" texts "$pid" --window "$dialog"
    errors=$("$wine64" "$qrvdrive" wait-window "$pid" --class TfrmError --timeout "$timeout") ||
        fail "no error window"
    "$wine64" "$qrvdrive" front "$pid" --window "$errors"
    bash tests/win/screenshot.sh "$shots/demo-4-errors.png"
    say "The error window (screenshot $shots/demo-4-errors.png)"
    "$wine64" "$qrvdrive" texts "$pid" --window "$errors"

    say "The exported files under $export_folder"
    (cd "$export_folder" && find . -type f | sort)
    say "The zip file"
    unzip -l "$export_folder"/*.zip

    say "Pressing Close"
    "$wine64" "$qrvdrive" click "$pid" --window "$dialog" --id 308 --real
    code=$("$wine64" "$qrvdrive" wait-exit "$pid" --timeout "$timeout") || fail "the program did not end"
    echo "Exit code $code"
    print_log
    say "The settings the program saved: $settings"
    iconv -f UTF-16LE -t UTF-8 "$settings" | tr -d '\r' | sed '1s/^\xef\xbb\xbf//'
    say "Screenshots"
    echo "$shots/demo-1-starting.png (the starting panel)"
    echo "$shots/demo-2-ready.png (the main window, ready to export)"
    echo "$shots/demo-3-finished.png (the progress dialog at the end)"
    echo "$shots/demo-4-errors.png (the error window)"
    [ "$code" = 0 ] || fail "the program ended with exit code $code"
}

display_pid=""
bench_work=""
if [ "${DEMO_HEADLESS:-0}" != 1 ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    run_with_display
else
    run_on_bench
fi
say "Demo done"
