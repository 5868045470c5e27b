#!/usr/bin/env bash
# Prints the folder of a Wine prefix booted for ARCH (x86_64 or i686) at 96 DPI, as it is
# after its boot and before any program ran in it, kept in this machine's cache
#   ${XDG_CACHE_HOME:-~/.cache}/qrv3doveravar/
# and booted there on the first call (up.sh on a display of its own). Benches copy it
# (up.sh --from-image, --from) instead of booting: an i686 prefix starts a few 32-bit processes
# while it boots, minutes of CPU where they are emulated. The image belongs to this Wine and
# this boot script; a new one replaces the images of the same architecture. Calls for the same
# image wait for each other. The i686 image needs Wine's 32-bit side, so where i386 code runs
# emulated this runs inside scripts/emulated_i686.sh.
#   prefix_image.sh ARCH
set -euo pipefail
arch=${1:?x86_64 or i686}
here=$(cd "$(dirname "$0")" && pwd)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/qrv3doveravar
key=$({
    dpkg-query -W -f='${Package} ${Version}\n' wine64 'wine32:i386' 2>/dev/null || true
    cat "$here/boot_prefix.sh"
} | sha256sum | cut -c1-16)
image=$cache/wine-$arch-$key
mkdir -p "$cache"
exec 9>"$image.lock"
flock 9
if [ ! -d "$image/prefix" ]; then
    work=$(mktemp -d "$cache/.wine-$arch.XXXXXX")
    state=$work/bench.state
    trap 'bash "$here/down.sh" "$state"; rm -rf "$work"' EXIT
    bash "$here/up.sh" "$state" "$arch" >&2
    (
        # shellcheck disable=SC1090
        . "$state"
        cp -a "$WINEPREFIX" "$work/prefix"
        # The user's folders (Documents, Desktop, ...) link to the booting bench's home; in
        # the image they link to its own, which up.sh points at each bench's.
        find "$work/prefix/drive_c/users" -maxdepth 2 -type l -lname "$HOME" \
            -exec ln -sfn "$image/home" {} \;
    )
    mkdir "$work/home"
    mkdir "$work/image"
    mv "$work/prefix" "$work/home" "$work/image/"
    for old in "$cache"/wine-"$arch"-*; do
        [ "$old" = "$image" ] || [ "$old" = "$image.lock" ] || rm -rf "$old"
    done
    mv -T "$work/image" "$image"
fi
echo "$image/prefix"
