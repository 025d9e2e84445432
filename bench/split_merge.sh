#!/usr/bin/env bash
# Split and merge of one 1 GiB file: quillet-cli against cat and coreutils split in
# the same run, with wall time and peak memory side by side. Prints figures; never fails.
# QUILLET_BENCH_MB sets the file size, QUILLET_BENCH_ROUNDS the rounds (best one shown),
# QUILLET_BENCH_WINE=0 leaves out the Windows console program under Wine.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
size_mb=${QUILLET_BENCH_MB:-1024}
rounds=${QUILLET_BENCH_ROUNDS:-5}

say() { echo "bench/split_merge.sh: $*"; }

build() {  # build folder, then extra cmake arguments
    local dir=$1
    shift
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "$@" \
        >/dev/null 2>&1 && cmake --build "$dir" --target quillet-cli -j2 >/dev/null
}

if [ ! -x /usr/bin/time ]; then
    say "/usr/bin/time is missing (package time); nothing measured"
    exit 0
fi
if ! build "$root/build/bench-split" -DQUILLET_SANITIZE=OFF; then
    say "the Release build of quillet-cli failed"
    exit 0
fi
cli="$root/build/bench-split/cli/quillet-cli"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 0
if ! dd if=/dev/urandom of=src.bin bs=1M count="$size_mb" status=none; then
    say "cannot write a $size_mb MiB file in $work"
    exit 0
fi

# Wall seconds and peak resident KiB of one command, after the disk has caught up.
measure() {
    sync
    /usr/bin/time -f '%e %M' -o time.txt "$@" </dev/null >/dev/null 2>&1 || say "failed: $*" >&2
    cat time.txt
}

# The fastest of the rounds, with its peak memory.
best() { sort -n | head -n1; }

same() { cmp -s src.bin "$1" || say "$1 differs from the source"; }

run_native_round() {
    rm -rf q c joined.bin cat.bin catjoined.bin
    echo "cat-copy $(measure sh -c 'cat src.bin > cat.bin')"
    rm -f cat.bin
    echo "dd-copy $(measure dd if=src.bin of=cat.bin bs=1024000)"
    echo "q-split $(measure "$cli" split src.bin --size 2 --into q --yes)"
    echo "q-merge $(measure "$cli" merge q/src0.bin.spt joined.bin)"
    same joined.bin
    rm -f joined.bin cat.bin
    rm -rf q
    # Two pieces: the copy itself, with next to no cost per file.
    echo "q-split2 $(measure "$cli" split src.bin --parts 2 --into q --yes)"
    echo "q-merge2 $(measure "$cli" merge q/src0.bin.spt joined.bin)"
    same joined.bin
    rm -rf q joined.bin
    mkdir c
    echo "c-split $(measure split -b 2M src.bin c/part.)"
    echo "c-merge $(measure sh -c 'cat c/part.* > catjoined.bin')"
    same catjoined.bin
}

wine_cli=
if [ "${QUILLET_BENCH_WINE:-1}" != 0 ] && command -v /usr/lib/wine/wine64 >/dev/null &&
   build "$root/build/bench-split-win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"; then
    wine_cli="$root/build/bench-split-win64/cli/quillet-cli.exe"
    # shellcheck source=/dev/null
    source "$root/scripts/wine-env.sh" "$root/build/bench-split-win64" >/dev/null 2>&1
fi

run_wine_round() {
    rm -rf w wjoined.bin
    echo "w-split $(measure /usr/lib/wine/wine64 "$wine_cli" split src.bin --size 2 --into w --yes)"
    echo "w-merge $(measure /usr/lib/wine/wine64 "$wine_cli" merge w/src0.bin.spt wjoined.bin)"
    same wjoined.bin
    rm -rf w wjoined.bin
}

load=$(cut -d' ' -f1-3 /proc/loadavg)
: >figures.txt
for _ in $(seq 1 "$rounds"); do
    run_native_round >>figures.txt
    [ -n "$wine_cli" ] && run_wine_round >>figures.txt
done
rm -rf q c catjoined.bin

pick() { grep "^$1 " figures.txt | cut -d' ' -f2- | best; }
cat_copy=$(pick cat-copy)
row() {  # label, "seconds KiB"
    [ -z "$2" ] && return
    awk -v l="$1" -v m="$2" -v c="$cat_copy" 'BEGIN {
        split(m, a, " "); split(c, b, " ")
        printf "%-34s %8.2f s %9.1f MiB %7.2fx\n", l, a[1], a[2] / 1024, a[1] / b[1]
    }'
}

echo "Split and merge of a $size_mb MiB file (best of $rounds rounds; ratio = wall time / cat copy)"
printf '%-34s %10s %13s %8s\n' "" "wall" "peak memory" "ratio"
row "cat SRC > DST" "$cat_copy"
row "dd bs=1024000 (read/write loop)" "$(pick dd-copy)"
row "quillet-cli split --size 2" "$(pick q-split)"
row "split -b 2M" "$(pick c-split)"
row "quillet-cli merge" "$(pick q-merge)"
row "quillet-cli split --parts 2" "$(pick q-split2)"
row "quillet-cli merge of 2 pieces" "$(pick q-merge2)"
row "cat PIECES > DST" "$(pick c-merge)"
if [ -n "$wine_cli" ]; then
    row "quillet-cli.exe split (Wine)" "$(pick w-split)"
    row "quillet-cli.exe merge (Wine)" "$(pick w-merge)"
else
    echo "(the Windows console program was not measured under Wine)"
fi
echo "(cat and quillet-cli copy inside the kernel with copy_file_range, cat in one call,"
echo " quillet-cli in calls of 1,024,000 bytes; dd moves every byte through its own buffer;"
echo " --size 2 makes 512 files per GiB, each of which costs its creation)"
echo "load average before the run: $load"
