#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it under Wine.
# (Wine here is 64-bit only, so it starts the x86-64 build of the program.)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
cmake --build build/win64 --target Quillet
source scripts/wine-env.sh build/win64 --display-if-none
quillet_wine build/win64/app/Quillet.exe
