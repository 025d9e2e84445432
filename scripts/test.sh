#!/usr/bin/env bash
# Installs what is missing, builds natively and for Windows, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native
ctest --test-dir build/native --output-on-failure -j2

cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win32
source scripts/wine-env.sh build/win32 --display
ctest --test-dir build/win32 --output-on-failure
