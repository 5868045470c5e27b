#!/usr/bin/env bash
# Checks the packages of a Windows build: check_package.sh BUILD_FOLDER
# The program package is named with the project's version and holds the program folder alone
# (the program, the integrator's guide and the texts database, nothing of the demo or the
# simulated CAD library); the program has no debug sections and no time of its own, carries
# the version in its version resource and names its debug information, which lies beside the
# package. The guide is plain ASCII text with CRLF line ends, as every Notepad shows it. The
# x86_64 build's tools package holds textsdb.exe, without debug sections and with the same
# time, and the guide. The README names the version too.
set -euo pipefail
build=$(cd "$1" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -nE 's/^project\(QRV3DOVEravar VERSION ([0-9.]+).*/\1/p' "$top/CMakeLists.txt")
name=$(sed -nE 's/^QRV_PACKAGE_NAME:INTERNAL=(.*)/\1/p' "$build/CMakeCache.txt")
case $name in
*-win64) triple=x86_64-w64-mingw32 ;;
*-win32) triple=i686-w64-mingw32 ;;
*) echo "not a Windows build: $build" >&2; exit 2 ;;
esac
zip=$build/package/$name.zip
fail() { echo "package check: $*" >&2; exit 1; }

[ "$name" = "QRV3DOVEravar-$version-${name##*-}" ] || fail "$name is not named with version $version"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# check_entries ZIP ENTRY...: the zip file holds exactly these entries; it is unpacked in work.
check_entries() {
    local zip=$1 entries expected
    shift
    [ -f "$zip" ] || fail "no $zip"
    entries=$(cmake -E tar tf "$zip" | sort)
    expected=$(printf '%s\n' "$@" | sort)
    [ "$entries" = "$expected" ] || fail "$zip holds"$'\n'"$entries"$'\n'"instead of"$'\n'"$expected"
    (cd "$work" && cmake -E tar xf "$zip")
}

# check_program ZIP ENTRY: a program without debug sections whose time stamp is the package's
# time (the commit's), not the time it was linked.
check_program() {
    local zip=$1 entry=$2 sections stamp packed
    sections=$("$triple-objdump" -h "$work/$entry")
    if grep -q ' \.debug_' <<<"$sections"; then
        fail "$entry has debug sections: $(grep -o '\.debug_[a-z_]*' <<<"$sections" | paste -sd' ')"
    fi
    stamp=$(TZ=UTC "$triple-objdump" -p "$work/$entry" | sed -nE 's/^Time\/Date[[:space:]]+//p')
    packed=$(TZ=UTC unzip -Z -T "$zip" "$entry" | awk '{ print substr($7, 1, 13) }')
    [ "$(TZ=UTC date -d "$stamp" '+%Y%m%d.%H%M')" = "$packed" ] ||
        fail "the time stamp $stamp of $entry is not the package's time $packed"
}

# check_guide FILE: ASCII, every line ended by CRLF.
check_guide() {
    ! LC_ALL=C grep -qP '[^\x00-\x7F]' "$1" || fail "$1 is not ASCII text"
    ! LC_ALL=C grep -qv $'\r$' "$1" || fail "$1 has lines not ended by CRLF"
}

check_entries "$zip" "$name/QRV3DOVEravar.exe" "$name/README.txt" "$name/data/tables/ado/QRV3RUN_2K.mdb"
program=$work/$name/QRV3DOVEravar.exe
check_program "$zip" "$name/QRV3DOVEravar.exe"
"$triple-objdump" -h "$program" | grep -q ' \.gnu_debuglink' || fail "the program names no debug information"
check_guide "$work/$name/README.txt"
strings -e l "$program" | grep -qx "$version.0" || fail "the version resource does not say $version.0"
debug=$build/package/symbols/$name/QRV3DOVEravar.exe.debug
"$triple-objdump" -h "$debug" | grep -q ' \.debug_info' || fail "$debug holds no debug information"
grep -q "QRV3DOVEravar-$version-win32.zip" "$top/README.md" || fail "the README does not name version $version"
checked="$name.zip, $(stat -c %s "$zip") bytes"

tools=$(sed -nE 's/^QRV_TOOLS_PACKAGE_NAME:INTERNAL=(.*)/\1/p' "$build/CMakeCache.txt")
if [ -n "$tools" ]; then
    [ "$tools" = "QRV3DOVEravar-$version-tools-win64" ] || fail "$tools is not named with version $version"
    check_entries "$build/package/$tools.zip" "$tools/textsdb.exe" "$tools/README.txt"
    check_program "$build/package/$tools.zip" "$tools/textsdb.exe"
    cmp -s "$work/$tools/README.txt" "$work/$name/README.txt" || fail "the two guides differ"
    checked+=", $tools.zip, $(stat -c %s "$build/package/$tools.zip") bytes"
fi
echo "package check passed: $checked"
