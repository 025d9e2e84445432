#!/usr/bin/env bash
# Batch rename of 10,000 files by the replacement rule: quillet-cli against util-linux
# rename.ul on identical trees, several rounds in one run. Prints figures; never fails.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench-rename"
count=${QUILLET_BENCH_FILES:-10000}
rounds=${QUILLET_BENCH_ROUNDS:-3}

say() { echo "bench/rename.sh: $*"; }

if ! command -v rename.ul >/dev/null 2>&1; then
    say "rename.ul (util-linux) is not installed; nothing to compare with"
    exit 0
fi
if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
           -DQUILLET_SANITIZE=OFF -DBUILD_TESTING=OFF >/dev/null &&
       cmake --build "$build" --target quillet-cli -j2 >/dev/null; }; then
    say "the Release build of quillet-cli failed"
    exit 0
fi
cli="$build/cli/quillet-cli"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One "a" per name, so replacing every occurrence and replacing the first agree.
make_tree() {
    mkdir "$1" && (cd "$1" && seq -f 'item-a-%05g.log' 1 "$count" | xargs touch)
}

# Nanoseconds taken by a command.
nanoseconds() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || say "failed: $*" >&2
    end=$(date +%s%N)
    echo $((end - start))
}

# Round, quillet-cli seconds, rename.ul seconds and their ratio, from nanoseconds.
row() { awk -v n="$1" -v q="$2" -v r="$3" 'BEGIN { printf "%-7s %13.3fs %13.3fs %8.2f\n", n, q / 1e9, r / 1e9, q / r }'; }

run_rename_ul() { (cd "$1" && rename.ul -- a b *); }

printf '%-7s %14s %14s %8s\n' round quillet-cli rename.ul ratio
best_q= best_r=
for round in $(seq 1 "$rounds"); do
    make_tree "$work/q$round" && make_tree "$work/r$round" || { say "cannot make the trees"; exit 0; }
    sync
    q=$(nanoseconds "$cli" rename "$work/q$round" --replace a b)
    r=$(nanoseconds run_rename_ul "$work/r$round")
    if ! diff <(ls "$work/q$round") <(ls "$work/r$round") >/dev/null; then
        say "round $round: the two trees differ after renaming"
    fi
    row "$round" "$q" "$r"
    [ -z "$best_q" ] || [ "$q" -lt "$best_q" ] && best_q=$q
    [ -z "$best_r" ] || [ "$r" -lt "$best_r" ] && best_r=$r
    rm -rf "$work/q$round" "$work/r$round"
done
row best "$best_q" "$best_r"
echo "($count files, replacement rule a -> b; ratio = quillet-cli / rename.ul)"
