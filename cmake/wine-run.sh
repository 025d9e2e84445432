#!/usr/bin/env bash
# Runs a Windows test program in the build's own Wine prefix (see scripts/wine-env.sh).
# Only 64-bit Wine works on this machine: the kernel refuses to execute 32-bit code.
if [ -z "${QUILLET_WINEPREFIX:-}" ]; then
    echo "wine-run.sh: source scripts/wine-env.sh BUILD_DIR first" >&2
    exit 2
fi
if [ -f "$1" ] && [ "$(od -An -tx1 -j "$(( $(od -An -tu4 -j60 -N4 "$1") + 4 ))" -N2 "$1" | tr -d ' ')" = "4c01" ]; then
    echo "wine-run.sh: $1 is a 32-bit program; 32-bit code cannot run on this machine." >&2
    echo "Run the tests from the x86-64 build (-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake)." >&2
    exit 2
fi
export WINEPREFIX="$QUILLET_WINEPREFIX"
exec /usr/lib/wine/wine64 "$@"
