#!/usr/bin/env bash
# The Windows tests on the shipped 32-bit build (build/win32): under 32-bit Wine where
# this machine executes 32-bit code, otherwise inside an emulated PC that
# scripts/i686/guest-image.sh builds once from Debian's packages.
#   QUILLET_SKIP_I686=1       skips this stage for a quick local run (not under CI=true)
#   QUILLET_I686_RUNNER=guest uses the emulated PC even where 32-bit code runs
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ "${QUILLET_SKIP_I686:-}" = 1 ]; then
    if [ "${CI:-}" = true ]; then
        echo "== QUILLET_SKIP_I686 is not honoured under CI: the i686 stage runs"
    else
        echo "== i686 Windows tests skipped (QUILLET_SKIP_I686=1)"
        exit 0
    fi
fi
started=$(date +%s)
bash scripts/setup.sh

direct=
[ "${QUILLET_I686_RUNNER:-}" != guest ] && bash scripts/i686/runs-32bit-code.sh && direct=1
# A program starts slowly in the emulated PC: there each test program runs all its cases
# as one ctest test, and the window tests' code-page runs are left to the x86-64 build.
per_program=ON code_page_runs=OFF
[ -n "$direct" ] && per_program=OFF code_page_runs=ON
# The tests run the programs of the release zip, so it is made (again) from this tree.
bash scripts/package.sh
echo "== the shipped 32-bit Windows build, with its tests"
cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
      -DQUILLET_TESTS_PER_PROGRAM=$per_program -DQUILLET_CODE_PAGE_RUNS=$code_page_runs \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
      -DQUILLET_DIST="$root/dist" >/dev/null
cmake --build build/win32
log=$root/build/win32/i686-tests.log

status=0
if [ -n "$direct" ]; then
    echo "== i686 Windows tests under 32-bit Wine (this machine runs 32-bit code)"
    # The kill test needs no display: it runs beside the window tests.
    bash scripts/windows-tests.sh build/win32 -j2 2>&1 | tee "$log" || status=$?
else
    why="this machine refuses 32-bit code"
    [ "${QUILLET_I686_RUNNER:-}" = guest ] && why="QUILLET_I686_RUNNER=guest"
    echo "== i686 Windows tests in an emulated PC ($why)"
    guest=$(bash scripts/i686/guest-image.sh)
    run=$root/build/i686-guest
    mkdir -p "$run"
    printf 'export CI=%q\nexec bash %q %q\n' "${CI:-}" "$root/scripts/i686/guest-job.sh" \
        "$root/build/win32" >"$run/job"
    bash scripts/i686/run-in-guest.sh "$guest" "$root" "$run" "${QUILLET_GUEST_TIMEOUT:-2700}" ||
        status=$?
    cp "$run/output.log" "$log"
fi

summary=$(grep -E '^[0-9]+% tests passed' "$log" | tail -n 1 || true)
skipped=$(grep -c '\*\*\*Skipped' "$log" || true)
cases=$(grep -E '^test cases: ' "$log" | tail -n 1 || true)
echo "== i686: ${summary:-no test summary}, ${skipped} skipped${cases:+; $cases}" \
     "($(( $(date +%s) - started )) s)"
[ "$status" -eq 0 ] && [ -n "$summary" ]
