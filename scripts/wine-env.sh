# Sourced by the test and run scripts: a 32-bit Wine prefix of the build's own, a warm
# Wine session with its I/O detached, and a virtual display. Cleans up on exit.
# Usage: source scripts/wine-env.sh BUILD_DIR [--display]
quillet_build=$(cd "$1" && pwd)
export WINEARCH=win32 WINEDEBUG=-all
export WINEPREFIX="$quillet_build/wineprefix" QUILLET_WINEPREFIX="$quillet_build/wineprefix"
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

quillet_cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${QUILLET_XVFB_PID:-}" ] && kill "$QUILLET_XVFB_PID" 2>/dev/null || true
}
trap quillet_cleanup EXIT

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
fi
# Wine's service processes must not inherit a pipe that a caller reads to its end.
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1

if [ "${2:-}" = --display ] && [ -z "${QUILLET_XVFB_PID:-}" ]; then
    quillet_fd_file=$(mktemp)
    Xvfb -displayfd 8 -screen 0 1024x768x24 -nolisten tcp 8>"$quillet_fd_file" >/dev/null 2>&1 &
    QUILLET_XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$quillet_fd_file" ] && break; sleep 0.05; done
    export DISPLAY=":$(head -n1 "$quillet_fd_file")"
    rm -f "$quillet_fd_file"
    # Wine draws its own title bars; closing a window then does not stall.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
fi
