#!/usr/bin/env bash
# Boots the Wine test bench: a WINEPREFIX in a temp folder and one Xvfb display.
#   up.sh [--from-image | --from STATE_OF_ANOTHER_BENCH] STATE [ARCH [DPI [THEME]]]
# Writes what the tests need (WINEPREFIX, DISPLAY, pids) into the state file STATE.
# ARCH, when given, is the architecture of the programs to run: x86_64 (the default) or i686,
# which needs the prefix's 32-bit side (Debian's wine32). DPI, when given, is the display's DPI
# (LogPixels of the user's desktop; 96, the default, is Windows' 100 %). THEME, when given, is
# the user's colour theme: high-contrast for Windows' black high-contrast theme (boot_prefix.sh).
# The prefix boots in boot_prefix.sh (an x86_64 one without its 32-bit side); the state's
# QRV_WINE is the loader of the programs' architecture (scripts/wine_loader.sh).
# --from-image makes the prefix a copy of this machine's booted one (prefix_image.sh, booted on
# the first call), --from a copy of the one another bench was made from: no boot, only the
# DPI and the theme are set. Either way the state names the image for further benches.
set -euo pipefail
from_image="" from=""
case ${1:-} in
--from-image) from_image=1 && shift ;;
--from) from=$2 && shift 2 ;;
esac
state=$1
arch=${2:-x86_64}
dpi=${3:-96}
theme=${4:-}
[[ $dpi =~ ^[0-9]+$ ]] && [ "$dpi" -ge 96 ] && [ "$dpi" -le 480 ] || {
    echo "not a display DPI: $dpi" >&2
    exit 2
}
case $theme in
"" | high-contrast) ;;
*)
    echo "not a colour theme: $theme (high-contrast, or none)" >&2
    exit 2
    ;;
esac
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$state" ] && "$here/down.sh" "$state" || true

# The prefix to copy, found while HOME is still the machine's own (the bench's comes below):
# this machine's booted one (booted now if there is none), or the one another bench copied.
image=""
if [ -n "$from_image" ]; then
    image=$(bash "$here/prefix_image.sh" "$arch")
elif [ -n "$from" ]; then
    image=$(
        # shellcheck disable=SC1090
        . "$from"
        echo "${QRV_BENCH_IMAGE:-}"
    )
    [ -d "$image" ] || {
        echo "the bench of $from names no image of a prefix (up.sh --from-image)" >&2
        exit 1
    }
fi

root=$(mktemp -d /tmp/qrv-winebench.XXXXXX)
mkdir -p "$root/home"
# Xvfb picks a free display itself and tells us its number.
exec 3<> <(:)
# The screen grows with the DPI, as a display of more pixels is what a higher scale is for:
# a window may not be larger than the screen.
Xvfb -displayfd 3 -screen 0 "$((1280 * dpi / 96))x$((1024 * dpi / 96))x24" -nolisten tcp >"$root/xvfb.log" 2>&1 &
xvfb_pid=$!
# A read that times out keeps what it read so far: on a busy machine it may stop between the
# digits and the newline, so the pieces are gathered until the line is complete.
display=""
for _ in $(seq 1 600); do
    piece=""
    if read -r -t 0.1 piece <&3; then
        display+=$piece
        [ -n "$display" ] && break
    else
        display+=$piece
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
done
exec 3<&-
if [ -z "$display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$root/xvfb.log" >&2
    kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$root"
    exit 1
fi

loader="$here/../../../scripts/wine_loader.sh"
wine=$(bash "$loader" "$arch")
# Where i386 programs run emulated (qemu-user), each 32-bit process needs about a minute of
# CPU to start, so the driver's time limits stretch by this factor; and the tests learn that
# processor faults are misnamed there (QRV_I686_EMULATED).
scale=1 emulated=0
if [ "$arch" = i686 ] && bash "$here/../../../scripts/i386_binfmt.sh" registered; then
    scale=30 emulated=1
fi

cat >"$state" <<STATE
export QRV_BENCH_ROOT='$root'
export WINEPREFIX='$root/prefix'
export DISPLAY=':$display'
export HOME='$root/home'
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
export LANG=C.UTF-8
export QRV_XVFB_PID=$xvfb_pid
export QRV_WINE='$wine'
export QRV_DRIVE_TIME_SCALE=$scale
export QRV_I686_EMULATED=$emulated
export QRV_BENCH_DPI=$dpi
export QRV_BENCH_THEME='$theme'
STATE
# shellcheck disable=SC1090
. "$state"
boot() { bash "$here/boot_prefix.sh" "$arch" "$dpi" "$theme" >>"$root/wineboot.log" 2>&1; }
if [ -n "$image" ]; then
    # Hard links: the copy takes no time and no room. Wine rewrites the registry files and the
    # .ini files in place (the registry through a new file it renames, .ini files by
    # truncating them), so those become files of the copy's own; the rest it only reads.
    cp -al "$image" "$WINEPREFIX" 2>/dev/null || cp -a "$image" "$WINEPREFIX"
    find "$WINEPREFIX" -type f \( -name '*.reg' -o -name '*.ini' \) -links +1 \
        -exec sh -c 'for f; do cp -p "$f" "$f.own" && mv -f "$f.own" "$f"; done' sh {} +
    # The user's folders (Documents, Desktop, ...) are links to the bench's home.
    find "$WINEPREFIX/drive_c/users" -maxdepth 2 -type l -lname "${image%/*}/home" \
        -exec ln -sfn "$HOME" {} \;
    echo "export QRV_BENCH_IMAGE='$image'" >>"$state"
    QRV_PREFIX_BOOTED=1 boot || {
        echo "setting up the copied prefix failed:" >&2
        cat "$root/wineboot.log" >&2
        exit 1
    }
# A first boot on a busy machine fails now and then; a second one on a clean prefix does not.
elif ! boot; then
    echo "first wineboot failed, trying once more:" >&2
    cat "$root/wineboot.log" >&2
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    if ! boot; then
        echo "wineboot failed:" >&2
        cat "$root/wineboot.log" >&2
        exit 1
    fi
fi
if [ "$arch" = i686 ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "The prefix has no 32-bit side, so i686 programs cannot run: install wine32" \
        "(scripts/setup.sh does where this machine runs 32-bit programs)." >&2
    exit 1
fi
# The prefix's server and Wine's services (services.exe and what it starts), for as long as
# the bench is up (down.sh ends them), with the bench's log for their output. Otherwise the
# first program of a test starts them, they keep that test's output open, and ctest waits for
# the test until the last program on the bench has ended. A 64-bit program starts the services,
# whatever the bench's architecture.
wineserver -p >>"$root/wineserver.log" 2>&1 </dev/null
bash "$loader" x86_64 cmd.exe /c exit >>"$root/wineserver.log" 2>&1 </dev/null
how=""
[ -n "$image" ] && how+=", copied from a booted prefix"
[ "$scale" -gt 1 ] && how+=" (emulated; time limits x$scale)"
[ -n "$theme" ] && how+=", $theme theme"
echo "Wine bench up: prefix $WINEPREFIX, display $DISPLAY, for $arch programs at $dpi DPI$how"
