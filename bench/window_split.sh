#!/usr/bin/env bash
# What the window's progress bar and busy-window pump cost: first what one position costs
# the bar (bench/progress_bar.cpp), then a split of one 1 GiB file into 2 MiB pieces by
# Quillet.exe, driven on a virtual display, against the same split by quillet-cli.exe,
# both under Wine, in pairs that alternate which goes first.
# Prints figures; never fails. QUILLET_BENCH_MB: file size (default 1024);
# QUILLET_BENCH_PAIRS (default 5); QUILLET_BENCH_DIR: where the files go;
# QUILLET_BENCH_BUILD: an x86-64 Windows build folder to use (default build/bench-window);
# QUILLET_BENCH_WINDOW_EXE: another Quillet.exe to time in place of the build's (an
# earlier one, say, for a before and after).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=bench/common.sh
source "$root/bench/common.sh"
build=$(realpath -m "${QUILLET_BENCH_BUILD:-$root/build/bench-window}")
size_mb=${QUILLET_BENCH_MB:-1024}
pairs=${QUILLET_BENCH_PAIRS:-5}

say() { echo "bench/window_split.sh: $*"; }

if [ ! -x /usr/lib/wine/wine64 ] || ! command -v Xvfb >/dev/null; then
    say "64-bit Wine and Xvfb are needed (scripts/setup.sh installs them); nothing measured"
    exit 0
fi
if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
           -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null &&
       cmake --build "$build" -j2 --target Quillet quillet-cli open_recorder \
           window_split_bench progress_bar_bench >/dev/null; }; then
    say "the Windows build failed"
    exit 0
fi

winpath() { echo "Z:${1//\//\\}"; }
window_exe=$(realpath "${QUILLET_BENCH_WINDOW_EXE:-$build/app/Quillet.exe}")

# shellcheck source=/dev/null
source "$root/scripts/wine-env.sh" "$build" --display >/dev/null 2>&1
work=$(mktemp -d "${QUILLET_BENCH_DIR:-${TMPDIR:-/tmp}}/quillet-bench.XXXXXX")
trap 'rm -rf "$work"; quillet_cleanup' EXIT
if ! dd if=/dev/urandom of="$work/src.bin" bs=1M count="$size_mb" status=none; then
    say "cannot write a $size_mb MiB file in $work"
    exit 0
fi
cat "$work/src.bin" >/dev/null

e2e="$build/tests/e2e"
echo "What one position costs the page's progress bar under Wine:"
quillet_wine "$build/bench/progress_bar_bench.exe" 2000 2>&1 | tr -d '\r'
echo
echo "Split of $size_mb MiB into 2 MiB pieces under Wine: the window against quillet-cli.exe"
bench_machine "$work"
echo "$(bench_load) at the start"
echo "window: $window_exe"
quillet_wine "$build/bench/window_split_bench.exe" "$(winpath "$window_exe")" \
    "$(winpath "$build/cli/quillet-cli.exe")" "$(winpath "$work/src.bin")" \
    "$e2e/record_browser.sh" "$(winpath "$e2e/open_recorder.exe")" \
    "$(winpath "$e2e/shell-opens.log")" "$pairs" 2>&1 | tr -d '\r' |
    grep -v '^wine: Read access denied for device'  # Wine's note on the Z: drive's label
echo "$(bench_load) at the end"
echo "(each run is timed from its first piece's creation to its last piece's completion;"
echo " the window sends its bar every block and draws it and serves its messages every 50 ms;"
echo " min is each program's fastest run, the least disturbed by the machine's other work)"
