#!/usr/bin/env bash
# A long fuzz campaign, outside the test command: each target runs to 10 million
# executions or SECONDS (default 600), whichever comes first, then prints its executions
# and coverage. Inputs that add coverage are merged into fuzz/corpus/ (libFuzzer's
# -merge=1 keeps only those), to be committed. A find leaves its input in
# build/fuzz/findings/ and fails. Usage: bash scripts/fuzz-campaign.sh [SECONDS] [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-600}
shift || true
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLET_FUZZ=ON -DQUILLET_SANITIZE=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build/fuzz
mkdir -p build/fuzz/findings
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || for d in fuzz/corpus/*/; do targets+=("$(basename "$d")"); done
failed=0
for name in "${targets[@]}"; do
    exe=build/fuzz/fuzz/fuzz_$name
    corpus=fuzz/corpus/$name
    work=build/fuzz/campaign/$name
    rm -rf "$work"
    mkdir -p "$work"
    cp "$corpus"/* "$work"/
    before=$(ls "$corpus" | wc -l)
    log=build/fuzz/campaign/$name.log
    rc=0
    "$exe" -runs=10000000 -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
        -artifact_prefix=build/fuzz/findings/"$name"- "$work" >"$log" 2>&1 || rc=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log")
    coverage=$(grep -E '^#[0-9]+' "$log" | tail -n 1 | grep -oE 'cov: [0-9]+ ft: [0-9]+' || true)
    if [ "$rc" -ne 0 ]; then
        tail -n 30 "$log" >&2
        echo "fuzz_$name found a fault after ${runs:-?} executions; its input is in build/fuzz/findings" >&2
        failed=1
        continue
    fi
    "$exe" -merge=1 "$corpus" "$work" >"$log.merge" 2>&1
    after=$(ls "$corpus" | wc -l)
    echo "fuzz_$name: ${runs:-?} executions in ${took:-?} s, ${coverage:-no coverage line}," \
         "corpus $before -> $after entries"
done
exit "$failed"
