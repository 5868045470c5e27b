#!/usr/bin/env bash
# Checks of the 32-bit shipping build that need no Windows: the program folder is complete
# and the simulated CAD library exports its functions undecorated (stdcall without @N).
set -euo pipefail
cd "$(dirname "$0")/.."
dist=dist/win32
fail=0
for f in QRV3DOVEravar.exe demo/cadlib/CADBasketDLL.dll data/tables/ado/QRV3RUN_2K.mdb; do
    if [ ! -f "$dist/$f" ]; then
        echo "missing: $dist/$f"
        fail=1
    fi
done
if [ -f "$dist/demo/cadlib/CADBasketDLL.dll" ]; then
    exports=$(i686-w64-mingw32-objdump -p "$dist/demo/cadlib/CADBasketDLL.dll" | grep -oE 'ExportCAD_[A-Za-z@0-9_]+' | sort -u)
    count=$(grep -c . <<<"$exports" || true)
    if grep -q '@' <<<"$exports"; then
        echo "decorated exports in the i686 CAD library:"; grep '@' <<<"$exports"; fail=1
    fi
    if [ "$count" -ne 15 ]; then
        echo "expected 15 ExportCAD_ exports, found $count"; fail=1
    fi
fi
if i686-w64-mingw32-objdump -p "$dist/QRV3DOVEravar.exe" | grep -iE 'DLL Name: (libstdc|libgcc|libwinpthread)'; then
    echo "the program needs a MinGW runtime DLL beside it"; fail=1
fi
[ "$fail" -eq 0 ] && echo "win32 checks passed"
exit "$fail"
