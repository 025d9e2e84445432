#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it (under Wine on Linux).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win32 --target Quillet
source scripts/wine-env.sh build/win32
wine build/win32/app/Quillet.exe
