#!/usr/bin/env bash
# Installs what is missing, builds natively and for Windows, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh

echo "== native build and tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLET_SANITIZE=ON >/dev/null
cmake --build build/native
ctest --test-dir build/native --output-on-failure -j2

echo "== fuzz targets, a short run each"
bash scripts/fuzz.sh 30

echo "== the shipped 32-bit Windows programs"
cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win32

# This machine cannot execute 32-bit code, so the Windows tests run the x86-64 build
# of the same sources under 64-bit Wine.
echo "== Windows build and tests under Wine"
cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
cmake --build build/win64
source scripts/wine-env.sh build/win64 --display
ctest --test-dir build/win64 --output-on-failure
