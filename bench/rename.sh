#!/usr/bin/env bash
# Batch rename of 10,000 files by the replacement rule: quillet-cli against util-linux
# rename.ul on identical trees, several rounds in one run. Prints figures; never fails.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench-rename"
count=${QUILLET_BENCH_FILES:-10000}
rounds=${QUILLET_BENCH_ROUNDS:-5}

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

# "wall-nanoseconds cpu-seconds" of a command; CPU time (user + system) is steadier
# than wall time on a busy machine.
measure() {
    local start end cpu
    start=$(date +%s%N)
    /usr/bin/time -f '%U %S' -o "$work/cpu" "$@" >/dev/null 2>&1 || say "failed: $*" >&2
    end=$(date +%s%N)
    cpu=$(awk '{ print $1 + $2 }' "$work/cpu")
    echo "$((end - start)) $cpu"
}

# One line of the table from two measurements.
row() {
    awk -v n="$1" -v q="$2" -v r="$3" 'BEGIN {
        split(q, a, " "); split(r, b, " ")
        printf "%-7s %10.3fs %10.3fs %6.2f   %9.2fs %9.2fs\n", n, a[1] / 1e9, b[1] / 1e9,
               a[1] / b[1], a[2], b[2]
    }'
}

run_rename_ul() { cd "$1" && exec rename.ul -- a b *; }
export -f run_rename_ul

printf '%-7s %11s %11s %6s   %10s %10s\n' round quillet-cli rename.ul ratio "cpu quillet" "cpu rename"
best_q= best_r=
for round in $(seq 1 "$rounds"); do
    make_tree "$work/q$round" && make_tree "$work/r$round" || { say "cannot make the trees"; exit 0; }
    sync
    # Alternate who goes first, so neither always meets the freshly written trees.
    if [ $((round % 2)) = 1 ]; then
        q=$(measure "$cli" rename "$work/q$round" --replace a b)
        r=$(measure bash -c 'run_rename_ul "$0"' "$work/r$round")
    else
        r=$(measure bash -c 'run_rename_ul "$0"' "$work/r$round")
        q=$(measure "$cli" rename "$work/q$round" --replace a b)
    fi
    if ! diff <(ls "$work/q$round") <(ls "$work/r$round") >/dev/null; then
        say "round $round: the two trees differ after renaming"
    fi
    row "$round" "$q" "$r"
    [ -z "$best_q" ] || [ "${q% *}" -lt "${best_q% *}" ] && best_q=$q
    [ -z "$best_r" ] || [ "${r% *}" -lt "${best_r% *}" ] && best_r=$r
    rm -rf "$work/q$round" "$work/r$round"
done
row best "$best_q" "$best_r"
echo "($count files, replacement rule a -> b; ratio = quillet-cli / rename.ul wall time;"
echo " rename.ul's figures include the shell that expands the file names)"
