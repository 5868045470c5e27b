#!/usr/bin/env bash
# Makes the release of this checkout: release.sh [OUT] (default build/release).
# Builds the program and its texts database with the release-win32 (the shipping build) and
# release-win64 presets, which have no precompiled headers, and the texts tool with the second,
# and writes into OUT:
#   QRV3DOVEravar-<version>-win32.zip, QRV3DOVEravar-<version>-win64.zip   the program folders,
#                                         each with the integrator's guide
#   QRV3DOVEravar-<version>-tools-win64.zip   textsdb.exe, which reads and writes the texts
#                                         database, and the guide
#   QRV3DOVEravar-<version>-symbols.zip   the debug information of both programs, each file in
#                                         the folder of its program, where a debugger looks for it
#   SHA256SUMS                            over the four packages
# The version is the project's in CMakeLists.txt. Every time in the packages is that of the
# commit, so two releases of one commit are the same bytes (scripts/check_reproducible.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
out=${1:-build/release}
bash scripts/setup.sh

version=$(sed -nE 's/^project\(QRV3DOVEravar VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 315532800)}
for platform in win32 win64; do
    cmake --preset "release-$platform" >/dev/null
    # Packed anew, with the time of the commit checked out now.
    rm -rf "build/release-$platform/package"
    targets=(program_package)
    [ "$platform" = win32 ] || targets+=(tools_package)
    cmake --build --preset "release-$platform" -j "$(nproc)" --target "${targets[@]}"
done

mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -f "$out"/QRV3DOVEravar-*.zip "$out/SHA256SUMS"
symbols=$(mktemp -d)
trap 'rm -rf "$symbols"' EXIT
for platform in win32 win64; do
    name=QRV3DOVEravar-$version-$platform
    cp "build/release-$platform/package/$name.zip" "$out/"
    mkdir -p "$symbols/$name"
    cp "build/release-$platform/package/symbols/$name/QRV3DOVEravar.exe.debug" "$symbols/$name/"
    echo "$name/QRV3DOVEravar.exe.debug" >>"$symbols/files"
done
cp "build/release-win64/package/QRV3DOVEravar-$version-tools-win64.zip" "$out/"
(cd "$symbols" && TZ=UTC cmake -E tar cf "$out/QRV3DOVEravar-$version-symbols.zip" \
    --format=zip --files-from=files)
(cd "$out" && sha256sum QRV3DOVEravar-"$version"-win32.zip QRV3DOVEravar-"$version"-win64.zip \
    QRV3DOVEravar-"$version"-tools-win64.zip QRV3DOVEravar-"$version"-symbols.zip >SHA256SUMS)

echo "Release $version of $(git -C "$top" rev-parse --short HEAD 2>/dev/null || echo 'this tree') in $out:"
(cd "$out" && for f in QRV3DOVEravar-"$version"-*.zip; do
    printf '  %-40s %9s bytes\n' "$f" "$(stat -c %s "$f")"
done)
sed 's/^/  /' "$out/SHA256SUMS"
