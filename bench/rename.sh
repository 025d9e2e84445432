#!/usr/bin/env bash
# Batch rename of 10,000 files by the replacement rule: quillet-cli against util-linux
# rename.ul on identical trees, in pairs that alternate which goes first; prints each
# pair and the ratios' min, median and max with the machine's load. Prints figures;
# never fails. QUILLET_BENCH_FILES: files per tree (default 10000); QUILLET_BENCH_PAIRS
# (default 7); QUILLET_BENCH_CLI measures the given quillet-cli instead of building one.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=bench/common.sh
source "$root/bench/common.sh"
build="$root/build/bench-rename"
count=${QUILLET_BENCH_FILES:-10000}
pairs=${QUILLET_BENCH_PAIRS:-7}

say() { echo "bench/rename.sh: $*"; }

if ! command -v rename.ul >/dev/null 2>&1; then
    say "rename.ul (util-linux) is not installed; nothing to compare with"
    exit 0
fi
if [ ! -x /usr/bin/time ]; then
    say "/usr/bin/time is missing (package time); nothing measured"
    exit 0
fi
cli=${QUILLET_BENCH_CLI:-}
if [ -z "$cli" ]; then
    if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
               -DQUILLET_SANITIZE=OFF -DBUILD_TESTING=OFF >/dev/null &&
           cmake --build "$build" --target quillet-cli -j2 >/dev/null; }; then
        say "the Release build of quillet-cli failed"
        exit 0
    fi
    cli="$build/cli/quillet-cli"
fi
cli=$(realpath "$cli")

work=$(mktemp -d "${QUILLET_BENCH_DIR:-${TMPDIR:-/tmp}}/quillet-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
BENCH_TIME_FILE=$work/time.txt

# One "a" per name, so replacing every occurrence and replacing the first agree.
make_tree() {
    mkdir "$1" && (cd "$1" && seq -f 'item-a-%05g.log' 1 "$count" | xargs touch)
}

run_rename_ul() { cd "$1" && exec rename.ul -- a b *; }
export -f run_rename_ul

echo "Batch rename of $count files (a -> b), $pairs pairs, alternating which goes first"
bench_machine "$work"
echo "$(bench_load) at the start"
printf '%-6s %12s %12s %7s   %s\n' pair quillet-cli rename.ul ratio "cpu (user+system) quillet / rename.ul"
: >"$work/pairs.txt"
for pair in $(seq 1 "$pairs"); do
    make_tree "$work/q$pair" && make_tree "$work/r$pair" || { say "cannot make the trees"; exit 0; }
    sync
    if [ $((pair % 2)) = 1 ]; then
        q=$(bench_time "$cli" rename "$work/q$pair" --replace a b)
        r=$(bench_time bash -c 'run_rename_ul "$0"' "$work/r$pair")
    else
        r=$(bench_time bash -c 'run_rename_ul "$0"' "$work/r$pair")
        q=$(bench_time "$cli" rename "$work/q$pair" --replace a b)
    fi
    if ! diff <(ls "$work/q$pair") <(ls "$work/r$pair") >/dev/null; then
        say "pair $pair: the two trees differ after renaming"
    fi
    echo "$q $r" >>"$work/pairs.txt"
    echo "$q $r" | awk -v p="$pair" '{
        printf "%-6s %10.3f s %10.3f s %7.3f   %.3f s / %.3f s\n", p, $1, $5, $1 / $5, $3 + $4, $7 + $8
    }'
    rm -rf "$work/q$pair" "$work/r$pair"
done
spread=$(awk '{ print $1 / $5 }' "$work/pairs.txt" | bench_spread)
echo "quillet-cli / rename.ul wall time: min, median, max = $spread"
echo "$(bench_load) at the end"
echo "(rename.ul's figures include the shell that expands and sorts the file names)"
