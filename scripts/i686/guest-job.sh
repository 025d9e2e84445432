#!/usr/bin/env bash
# Runs inside the emulated PC: the Windows tests of BUILD_DIR (on the shared folder).
# Wine maps programs from a 9p share with pages of zeros, so the build is copied to
# the guest's memory and mounted over its own path; the screenshots and ctest's logs
# are copied back afterwards.
# Usage: guest-job.sh BUILD_DIR
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
copy=/tmp/build
mkdir -p "$copy"
tar -C "$build" --exclude=./wineprefix --exclude=./run-prefix --exclude='*.obj' -cf - . |
    tar -C "$copy" -xf - || exit 1
mount --bind "$copy" "$build" || exit 1
export QUILLET_PREFIX=/var/lib/quillet/wineprefix
# Each program runs all its cases here; their reports give the count of cases.
results=/tmp/gtest-results
export GTEST_OUTPUT='xml:Z:\tmp\gtest-results\'
# The console programs' tests (the kill test above all) run beside the windows' ones.
bash "$root/scripts/windows-tests.sh" "$build" -j2
status=$?
cat "$results"/*.xml 2>/dev/null | awk -v programs="$(ls "$results" 2>/dev/null | wc -l)" '
    match($0, /<testsuites tests="[0-9]+" failures="[0-9]+"/) {
        split(substr($0, RSTART, RLENGTH), f, "\""); run += f[2]; failed += f[4]
    }
    /result="skipped"/ { skipped++ }
    END { printf "test cases: %d run in %d programs, %d failed, %d skipped\n",
                 run, programs, failed, skipped }'
umount "$build"
for results in Testing tests/e2e/screenshots; do
    [ -d "$copy/$results" ] || continue
    mkdir -p "$build/$results"
    cp -r "$copy/$results/." "$build/$results/"
done
exit "$status"
