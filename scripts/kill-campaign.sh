#!/usr/bin/env bash
# A long kill campaign, outside the test command: quillet-cli killed at KILLS random
# points (default 200) of each kind of work, on one build. The test command makes a few
# of every kind on each build; this makes many on one.
# Usage: bash scripts/kill-campaign.sh [KILLS] [native|win32|win64]
#   QUILLET_KILL_SEED repeats the kill points of an earlier campaign.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
kills=${1:-200}
build=${2:-native}
work=$root/build/kill-campaign/$build

case "$build" in
native)
    cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
          -DQUILLET_SANITIZE=ON >/dev/null
    cmake --build build/native --target quillet-cli kill_test
    exec build/native/tests/cli/kill_test "$work" --kills "$kills" -- build/native/cli/quillet-cli
    ;;
win32|win64)
    toolchain=cmake/mingw-i686.cmake
    [ "$build" = win64 ] && toolchain=cmake/mingw-x86_64.cmake
    cmake -S . -B "build/$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE=$toolchain >/dev/null
    cmake --build "build/$build" --target quillet-cli kill_test_host
    source scripts/wine-env.sh "build/$build"
    exec "build/$build/tests/cli/kill_test" "$work" --windows-paths --kills "$kills" -- \
        cmake/wine-run.sh "build/$build/cli/quillet-cli.exe"
    ;;
*)
    echo "usage: kill-campaign.sh [KILLS] [native|win32|win64]" >&2
    exit 2
    ;;
esac
