#!/usr/bin/env bash
# Runs a Windows test program in the build's own Wine prefix (see scripts/wine-env.sh),
# with 32-bit Wine for a 32-bit program and 64-bit Wine otherwise.
if [ -z "${QUILLET_WINEPREFIX:-}" ]; then
    echo "wine-run.sh: source scripts/wine-env.sh BUILD_DIR first" >&2
    exit 2
fi
export WINEPREFIX="$QUILLET_WINEPREFIX"
loader=/usr/lib/wine/wine64
# A program on drive C: (the release zip's, unpacked by the tests) is read in the prefix.
program=$1
case $program in
[Cc]:[/\\]*) program=$WINEPREFIX/drive_c/${program:3} program=${program//\\//} ;;
esac
if [ -f "$program" ] && [ "$(od -An -tx1 -j "$(( $(od -An -tu4 -j60 -N4 "$program") + 4 ))" -N2 "$program" | tr -d ' ')" = "4c01" ]; then
    loader=/usr/lib/wine/wine
    if [ ! -x "$loader" ]; then
        echo "wine-run.sh: $1 is a 32-bit program and 32-bit Wine is missing: run scripts/test-i686.sh" >&2
        exit 2
    fi
fi
exec "$loader" "$@"
