# Sourced by the test and run scripts: a Wine prefix of the build's own, a warm Wine
# session with its I/O detached, and (with --display) a virtual display. Cleans up on exit.
# Usage: source scripts/wine-env.sh BUILD_DIR [--display | --display-if-none]
# QUILLET_PREFIX, when set, names another prefix (scripts/run.sh keeps one no test
# touches; the emulated PC brings one made in advance).
# A 32-bit build (i686) gets 32-bit Wine and a 32-bit prefix; an x86-64 build 64-bit Wine.
quillet_build=$(cd "$1" && pwd)
if [ "$(cat "$quillet_build/wine-bits" 2>/dev/null)" = 32 ]; then
    export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
    quillet_wineserver_exe=/usr/lib/wine/wineserver32
else
    unset WINEARCH
    export WINELOADER=/usr/lib/wine/wine64
    quillet_wineserver_exe=/usr/lib/wine/wineserver64
fi
export WINEPREFIX="${QUILLET_PREFIX:-$quillet_build/wineprefix}"
export QUILLET_WINEPREFIX="$WINEPREFIX" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv="
# Wine takes the ANSI code page 936 from this locale (scripts/setup.sh generates it).
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

quillet_wine() { "$WINELOADER" "$@" </dev/null; }
quillet_wineserver() { "$quillet_wineserver_exe" "$@"; }

quillet_cleanup() {
    quillet_wineserver -k >/dev/null 2>&1 || true
    [ -n "${QUILLET_XVFB_PID:-}" ] && kill "$QUILLET_XVFB_PID" 2>/dev/null || true
}
trap quillet_cleanup EXIT

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    quillet_wine wineboot -i >/dev/null 2>&1
    quillet_wineserver -w
fi
# This Wine looks for its own fonts beside its data folder, where Debian does not keep
# them; without Marlett the caption buttons show letters ("r" for the close box).
[ -e "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ] ||
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
# Wine's service processes must not inherit a pipe that a caller reads to its end.
quillet_wineserver -p </dev/null >/dev/null 2>&1

if [ "${2:-}" = --display-if-none ] && [ -n "${DISPLAY:-}" ]; then
    :  # a person's own display is there: use it
elif [ -n "${2:-}" ] && [ -z "${QUILLET_XVFB_PID:-}" ]; then
    quillet_fd_file=$(mktemp)
    Xvfb -displayfd 8 -screen 0 2048x1536x24 -nolisten tcp 8>"$quillet_fd_file" >/dev/null 2>&1 &
    QUILLET_XVFB_PID=$!
    for _ in $(seq 600); do [ -s "$quillet_fd_file" ] && break; sleep 0.05; done
    export DISPLAY=":$(head -n1 "$quillet_fd_file")"
    rm -f "$quillet_fd_file"
    # Wine draws its own title bars; closing a window then does not stall.
    quillet_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi
# The session's desktop keeps the display it starts with, so it starts only now.
quillet_wine cmd /c exit >/dev/null 2>&1
