#!/usr/bin/env bash
# Runs a Windows test program in the build's own 32-bit Wine prefix.
# QUILLET_WINEPREFIX is set by scripts/wine-env.sh; fall back to a prefix beside the build.
: "${WINEPREFIX:=${QUILLET_WINEPREFIX:-$PWD/wineprefix}}"
export WINEPREFIX WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv="
exec wine "$@"
