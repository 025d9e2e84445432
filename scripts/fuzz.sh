#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 30) on a
# copy of its seed corpus. A find leaves its input in build/fuzz/findings/ and fails.
# A longer hunt: bash scripts/fuzz.sh 600
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-30}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLET_FUZZ=ON -DQUILLET_SANITIZE=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build/fuzz
mkdir -p build/fuzz/findings
for target in fuzz/corpus/*/; do
    name=$(basename "$target")
    exe=build/fuzz/fuzz/fuzz_$name
    [ -x "$exe" ] || continue
    work=build/fuzz/corpus/$name
    mkdir -p "$work"
    cp -n "$target"* "$work"/ 2>/dev/null || true
    echo "== fuzz_$name for ${seconds}s"
    log=build/fuzz/$name.log
    rc=0
    "$exe" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
        -artifact_prefix=build/fuzz/findings/"$name"- "$work" >"$log" 2>&1 || rc=$?
    grep -E '^#[0-9]+' "$log" | tail -n 1
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
    if [ "$rc" -ne 0 ]; then
        tail -n 30 "$log" >&2
        echo "fuzz_$name found a fault; its input is in build/fuzz/findings" >&2
        exit 1
    fi
done
