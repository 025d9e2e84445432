#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it under Wine, in a
# prefix of its own that no test touches: the shell's own browser and folder window,
# no recorders. A person's display if there is one, a virtual one otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
# The one place that chooses the Windows build to start: the shipped 32-bit program
# where this machine runs 32-bit code, the same program built for x86-64 otherwise.
if bash scripts/i686/runs-32bit-code.sh; then
    build=build/win32 toolchain=cmake/mingw-i686.cmake
    echo "Starting the shipped 32-bit (i686) Quillet.exe under 32-bit Wine."
else
    build=build/win64 toolchain=cmake/mingw-x86_64.cmake
    echo "This machine refuses 32-bit code: starting the x86-64 build of Quillet.exe."
fi
# The test command shares this build folder: configure it as that does, build only the program.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
cmake --build "$build" --target Quillet

# Beside the tests' prefix ($build/wineprefix), never it; made on first use.
export QUILLET_PREFIX="$root/$build/run-prefix"
had_display=${DISPLAY:-}
source scripts/wine-env.sh "$build" --display-if-none
if [ -n "$had_display" ]; then
    echo "Quillet starts on your display $DISPLAY (Wine prefix $QUILLET_PREFIX)."
else
    echo "No display here: Quillet starts on a virtual one, Xvfb $DISPLAY (see it with" \
         "import -window root -display $DISPLAY quillet.png; Ctrl-C ends it)."
fi
quillet_wine "$build/app/Quillet.exe"
