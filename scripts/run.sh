#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it under Wine, in a
# prefix of its own that no test touches: the shell's own browser and folder window,
# no recorders. A person's display if there is one, a virtual one otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# The one place that chooses the Windows build to start. Wine here is 64-bit only, so
# it is the x86-64 build of the program.
build=build/win64
toolchain=cmake/mingw-x86_64.cmake

bash scripts/setup.sh
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
