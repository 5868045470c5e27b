#!/usr/bin/env bash
# Boots a fresh Wine prefix at $WINEPREFIX (on $DISPLAY) with the bench's registry settings:
#   boot_prefix.sh ARCH DPI [THEME]
# With QRV_PREFIX_BOOTED=1 the prefix is a copy of a booted one: only the settings are made.
# ARCH is the architecture of the programs to run: x86_64 or i686. An x86_64 prefix boots where
# no i386 program can start (scripts/without_i386.sh), so its boot waits on no 32-bit process,
# however this machine runs them (natively, emulated or not at all); its programs need none.
# DPI, other than 96, becomes the LogPixels of the user's desktop. THEME high-contrast gives the
# user Windows' black high-contrast theme (high_contrast_black below). Output goes to stdout.
set -euo pipefail
arch=$1 dpi=$2 theme=${3:-}
scripts=$(cd "$(dirname "$0")/../../../scripts" && pwd)
wine64=$(bash "$scripts/wine_loader.sh" x86_64)

if [ "$arch" = x86_64 ] && [ "${QRV_BOOT_INSIDE:-}" != 1 ] && bash "$scripts/without_i386.sh" --check; then
    QRV_BOOT_INSIDE=1 exec bash "$scripts/without_i386.sh" bash "$0" "$@"
fi
settings=$(mktemp --suffix=.reg)
trap 'rm -f "$settings"' EXIT
if [ "${QRV_PREFIX_BOOTED:-}" != 1 ]; then
    # The 32-bit side's set-up registers Internet Explorer in a process of its own, a minute of
    # CPU where i386 code is emulated; with mshtml off (up.sh) it would register nothing usable.
    WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}iexplore.exe=" "$wine64" wineboot -i
    # Without a window manager Wine draws its own caption bars only when told to. Wine waits
    # up to 2 s for a window manager to withdraw every managed window it hides or destroys
    # (each message box, each closed window); there is none, so manage nothing.
    cat >>"$settings" <<'REG'
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
"Managed"="N"

REG
fi
if [ "$dpi" != 96 ]; then
    printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n\n' "$dpi" >>"$settings"
fi

# What Windows keeps for a user of its black high-contrast theme: the theme's system colours
# (which Wine hands every program started later), visual styles off, and the high-contrast
# flag (HCF_HIGHCONTRASTON among the others), which Wine does not report
# (tests/win/high_contrast_shim answers for it).
high_contrast_black() {
    local colours=(
        "Window=0 0 0" "WindowText=255 255 255" "WindowFrame=255 255 255"
        "ButtonFace=0 0 0" "ButtonText=255 255 255" "ButtonShadow=128 128 128"
        "ButtonHilight=255 255 255" "ButtonLight=0 0 0" "ButtonDkShadow=255 255 255"
        "GrayText=63 242 63" "Hilight=26 235 255" "HilightText=0 0 0" "HotTrackingColor=255 255 0"
        "Menu=0 0 0" "MenuText=255 255 255" "Background=0 0 0" "AppWorkspace=0 0 0"
        "Scrollbar=0 0 0" "InfoWindow=0 0 0" "InfoText=255 255 255"
        "ActiveTitle=0 0 0" "GradientActiveTitle=0 0 0" "TitleText=255 255 255"
        "InactiveTitle=0 0 0" "GradientInactiveTitle=0 0 0"
        "InactiveTitleText=63 242 63" "ActiveBorder=0 0 0" "InactiveBorder=0 0 0")
    local colour
    echo '[HKEY_CURRENT_USER\Control Panel\Colors]'
    for colour in "${colours[@]}"; do
        printf '"%s"="%s"\n' "${colour%%=*}" "${colour#*=}"
    done
    cat <<'REG'

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\ThemeManager]
"ThemeActive"="0"

[HKEY_CURRENT_USER\Control Panel\Accessibility\HighContrast]
"Flags"="127"
"High Contrast Scheme"="High Contrast Black"

REG
}
if [ "$theme" = high-contrast ]; then
    high_contrast_black >>"$settings"
fi
# All settings in one start of reg, which imports a file of the registry editor's format.
if [ -s "$settings" ]; then
    { echo REGEDIT4; echo; cat "$settings"; } >"$settings.all"
    mv "$settings.all" "$settings"
    "$wine64" reg import "Z:$settings"
fi
# Once the prefix's server has ended, everything is on disk.
[ "${QRV_PREFIX_BOOTED:-}" = 1 ] && [ ! -s "$settings" ] || wineserver -w
