#!/usr/bin/env bash
# The one place that says which Wine loader starts a program of an architecture:
#   wine_loader.sh ARCH              prints the loader's command
#   wine_loader.sh ARCH PROGRAM...   runs PROGRAM with it and passes its exit code on
# ARCH is x86_64 or i686. x86_64 programs, wineboot and reg included, start with Wine's 64-bit
# loader: Debian's `wine` starts its 32-bit loader first whenever wine32 is installed, which
# costs a minute of CPU per start where i386 code runs emulated. i686 programs take `wine`,
# which goes to the 32-bit loader.
set -euo pipefail
arch=${1:?x86_64 or i686}
shift
case $arch in
x86_64)
    loader=$(command -v /usr/lib/wine/wine64 wine64 wine 2>/dev/null | head -n 1 || true)
    ;;
i686)
    loader=$(command -v wine 2>/dev/null || true)
    ;;
*)
    echo "wine_loader.sh: unknown architecture $arch" >&2
    exit 2
    ;;
esac
[ -n "$loader" ] || { echo "wine_loader.sh: Wine is not installed" >&2; exit 127; }
if [ $# -eq 0 ]; then
    printf '%s\n' "$loader"
else
    exec "$loader" "$@"
fi
