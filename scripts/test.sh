#!/usr/bin/env bash
# Installs what is missing, builds natively and for Windows, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# Each stage says how long it took, so a slow one shows in any CI log.
began=$(date +%s) last=$began
took() { local now; now=$(date +%s); echo "== took $((now - last)) s (total $((now - began)) s)"; last=$now; }
trap 'took' EXIT
bash scripts/setup.sh
took
bash scripts/check-file-gate.sh

# The release files; the native and the i686 tests below run the programs they hold.
echo "== release files in dist/, then packaged again elsewhere: the same bytes"
bash scripts/package.sh
bash scripts/reproducible.sh
took

echo "== native build and tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLET_SANITIZE=ON \
      -DQUILLET_DIST="$root/dist" >/dev/null
cmake --build build/native
ctest --test-dir build/native --output-on-failure -j2
took

echo "== fuzz targets, a short run each"
bash scripts/fuzz.sh 10
took

# The same Windows sources built for x86-64, tested under 64-bit Wine.
echo "== x86-64 Windows build and tests under Wine"
cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
cmake --build build/win64
took
# The kill test needs no display: it runs beside the window tests, as on the 32-bit build.
bash scripts/windows-tests.sh build/win64 -j2
took

# The shipped 32-bit programs and the same tests on them.
bash scripts/test-i686.sh
