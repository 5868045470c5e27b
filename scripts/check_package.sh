#!/usr/bin/env bash
# Checks the program package of a Windows build: check_package.sh BUILD_FOLDER
# The zip file is named with the project's version and holds the program folder alone (the
# program and the texts database, nothing of the demo or the simulated CAD library); the
# program has no debug sections and no time of its own, carries the version in its version
# resource and names its debug information, which lies beside the package. The README names
# the version too.
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
[ -f "$zip" ] || fail "no $zip"
entries=$(cmake -E tar tf "$zip" | sort)
expected=$(printf '%s\n' "$name/QRV3DOVEravar.exe" "$name/data/tables/ado/QRV3RUN_2K.mdb" | sort)
[ "$entries" = "$expected" ] || fail "$zip holds"$'\n'"$entries"$'\n'"instead of"$'\n'"$expected"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$zip")
program=$work/$name/QRV3DOVEravar.exe
sections=$("$triple-objdump" -h "$program")
if grep -q ' \.debug_' <<<"$sections"; then
    fail "the program has debug sections: $(grep -o '\.debug_[a-z_]*' <<<"$sections" | paste -sd' ')"
fi
grep -q ' \.gnu_debuglink' <<<"$sections" || fail "the program names no debug information"
# The program's time stamp is the package's time (the commit's), not the time it was linked.
stamp=$(TZ=UTC "$triple-objdump" -p "$program" | sed -nE 's/^Time\/Date[[:space:]]+//p')
packed=$(TZ=UTC unzip -Z -T "$zip" "$name/QRV3DOVEravar.exe" | awk '{ print substr($7, 1, 13) }')
[ "$(TZ=UTC date -d "$stamp" '+%Y%m%d.%H%M')" = "$packed" ] ||
    fail "the program's time stamp $stamp is not the package's time $packed"
strings -e l "$program" | grep -qx "$version.0" || fail "the version resource does not say $version.0"
debug=$build/package/symbols/$name/QRV3DOVEravar.exe.debug
"$triple-objdump" -h "$debug" | grep -q ' \.debug_info' || fail "$debug holds no debug information"
grep -q "QRV3DOVEravar-$version-win32.zip" "$top/README.md" || fail "the README does not name version $version"
echo "package check passed: $name.zip, $(stat -c %s "$zip") bytes"
