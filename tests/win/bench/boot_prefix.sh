#!/usr/bin/env bash
# Boots a fresh Wine prefix at $WINEPREFIX (on $DISPLAY) with the bench's registry settings:
#   boot_prefix.sh ARCH DPI
# ARCH is the architecture of the programs to run: x86_64 or i686. An x86_64 prefix boots where
# no i386 program can start (scripts/without_i386.sh), so its boot waits on no 32-bit process,
# however this machine runs them (natively, emulated or not at all); its programs need none.
# DPI, other than 96, becomes the LogPixels of the user's desktop. Output goes to stdout.
set -euo pipefail
arch=$1 dpi=$2
scripts=$(cd "$(dirname "$0")/../../../scripts" && pwd)
wine64=$(bash "$scripts/wine_loader.sh" x86_64)

if [ "$arch" = x86_64 ] && [ "${QRV_BOOT_INSIDE:-}" != 1 ] && bash "$scripts/without_i386.sh" --check; then
    QRV_BOOT_INSIDE=1 exec bash "$scripts/without_i386.sh" bash "$0" "$@"
fi
"$wine64" wineboot -i
# Without a window manager Wine draws its own caption bars only when told to.
"$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f
# Wine waits up to 2 s for a window manager to withdraw every managed window it hides or
# destroys (each message box, each closed window); there is none, so manage nothing.
"$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
if [ "$dpi" != 96 ]; then
    "$wine64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
fi
wineserver -w
