#!/usr/bin/env bash
# Split and merge by quillet-cli against `cat SRC > DST` of the same file, in pairs that
# alternate which of the two goes first: each pair gives one ratio, and the table shows
# the ratios' min, median and max with the peak memory and the machine's load. Prints
# figures; never fails.
# QUILLET_BENCH_MB: file sizes in MiB (default "512 1024"); QUILLET_BENCH_PAIRS: pairs per
# row (default 7); QUILLET_BENCH_WINE=0 leaves out quillet-cli.exe under Wine;
# QUILLET_BENCH_CLI / QUILLET_BENCH_WINE_CLI measure the given programs instead of
# building them; QUILLET_BENCH_DIR: where the files go (default $TMPDIR or /tmp).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=bench/common.sh
source "$root/bench/common.sh"
sizes=${QUILLET_BENCH_MB:-512 1024}
pairs=${QUILLET_BENCH_PAIRS:-7}

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
cli=${QUILLET_BENCH_CLI:-}
if [ -z "$cli" ]; then
    if ! build "$root/build/bench-split" -DQUILLET_SANITIZE=OFF; then
        say "the Release build of quillet-cli failed"
        exit 0
    fi
    cli="$root/build/bench-split/cli/quillet-cli"
fi
cli=$(realpath "$cli")

wine_cli=
if [ "${QUILLET_BENCH_WINE:-1}" != 0 ] && [ -x /usr/lib/wine/wine64 ]; then
    wine_cli=${QUILLET_BENCH_WINE_CLI:-}
    wine_build="$root/build/bench-split-win64"
    if [ -z "$wine_cli" ] &&
       build "$wine_build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"; then
        wine_cli="$wine_build/cli/quillet-cli.exe"
    fi
    if [ -n "$wine_cli" ]; then
        wine_cli=$(realpath "$wine_cli")
        # shellcheck source=/dev/null
        source "$root/scripts/wine-env.sh" "$wine_build" >/dev/null 2>&1
    fi
fi

work=$(mktemp -d "${QUILLET_BENCH_DIR:-${TMPDIR:-/tmp}}/quillet-bench.XXXXXX")
trap 'rm -rf "$work"; declare -F quillet_cleanup >/dev/null && quillet_cleanup' EXIT
cd "$work" || exit 0
BENCH_TIME_FILE=$work/time.txt

# One row: LABEL CHECK COMMAND... CHECK is a file that must equal the source afterwards,
# or "-". Each run starts with its outputs removed and the disk caught up. The command
# is paired with $ref, cat unless a row sets it.
ref='cat src.bin > cat.bin'
row() {
    local label=$1 check=$2
    shift 2
    local pair q c
    run_q() {
        q=$(bench_time "$@")
        [ "$check" = - ] || cmp -s src.bin "$check" || say "$label: $check differs from the source"
        rm -rf q joined.bin
        sync
    }
    run_c() {
        c=$(bench_time sh -c "$ref")
        rm -rf cat.bin r ref.bin
        sync
    }
    : >pairs.txt
    rm -rf q joined.bin cat.bin
    sync
    for pair in $(seq 1 "$pairs"); do
        if [ $((pair % 2)) = 1 ]; then
            run_c
            run_q "$@"
        else
            run_q "$@"
            run_c
        fi
        echo "$q $c" >>pairs.txt
    done
    local spread wall cat_wall peak
    spread=$(awk '{ print $1 / $5 }' pairs.txt | bench_spread)
    wall=$(awk '{ print $1 }' pairs.txt | bench_spread | cut -d' ' -f2)
    cat_wall=$(awk '{ print $5 }' pairs.txt | bench_spread | cut -d' ' -f2)
    peak=$(awk '$2 > m { m = $2 } END { printf "%.1f", m / 1024 }' pairs.txt)
    # shellcheck disable=SC2086
    printf '%-34s %8.3f s %8.3f s   %s %s %s %9s MiB\n' "$label" "$wall" "$cat_wall" $spread "$peak"
}

echo "Split and merge against cat SRC > DST, $pairs pairs per row, alternating which goes first"
bench_machine "$work"
echo "$(bench_load) at the start"
if command -v openssl >/dev/null; then
    echo "openssl speed -evp sha256, 1 MiB blocks: $(openssl speed -evp sha256 -bytes 1048576 \
        -seconds 2 2>/dev/null | awk '/^sha256/ { print $NF }') per second"
fi
for size_mb in $sizes; do
    rm -rf ./*
    if ! dd if=/dev/urandom of=src.bin bs=1M count="$size_mb" status=none; then
        say "cannot write a $size_mb MiB file in $work"
        continue
    fi
    cat src.bin >/dev/null  # in the page cache, as cat's own copy finds it
    "$cli" split src.bin --size 2 --into p2m --yes --no-checksum >/dev/null 2>&1
    "$cli" split src.bin --parts 2 --into p2 --yes --no-checksum >/dev/null 2>&1
    # The same pieces with their checksum file beside them.
    "$cli" split src.bin --size 2 --into s2m --yes >/dev/null 2>&1
    "$cli" split src.bin --parts 2 --into s2 --yes >/dev/null 2>&1
    mkdir c && split -b 2M src.bin c/part.
    echo
    echo "$size_mb MiB ($(bench_load))"
    printf '%-34s %10s %10s   %s\n' "" "median" "cat" "ratio to cat: min median max   peak memory"
    row "quillet-cli split --size 2" - "$cli" split src.bin --size 2 --into q --yes --no-checksum
    row "quillet-cli merge of 2 MiB pieces" joined.bin "$cli" merge p2m/src0.bin.spt joined.bin
    row "quillet-cli split --parts 2" - "$cli" split src.bin --parts 2 --into q --yes --no-checksum
    row "quillet-cli merge of 2 pieces" joined.bin "$cli" merge p2/src0.bin.spt joined.bin
    row "split -b 2M" - sh -c 'mkdir q && split -b 2M src.bin q/part.'
    row "cat 2 MiB PIECES > DST" joined.bin sh -c 'cat c/part.* > joined.bin'
    printf '%-34s %10s %10s   %s\n' "with checksums" "median" "without" \
        "ratio to without: min median max   peak memory"
    ref="$cli split src.bin --size 2 --into r --yes --no-checksum >/dev/null"
    row "split --size 2" - "$cli" split src.bin --size 2 --into q --yes
    ref="$cli merge p2m/src0.bin.spt ref.bin >/dev/null"
    row "merge of 2 MiB pieces, checked" joined.bin "$cli" merge s2m/src0.bin.spt joined.bin
    ref="$cli split src.bin --parts 2 --into r --yes --no-checksum >/dev/null"
    row "split --parts 2" - "$cli" split src.bin --parts 2 --into q --yes
    ref="$cli merge p2/src0.bin.spt ref.bin >/dev/null"
    row "merge of 2 pieces, checked" joined.bin "$cli" merge s2/src0.bin.spt joined.bin
    ref="$cli split src.bin --size 2 --into r --yes >/dev/null"
    row "split --size 2 --parity / checksums" - "$cli" split src.bin --size 2 --into q --yes \
        --parity
    # Both digests of a split (each piece's and the whole file's) read every byte: two
    # SHA-256 passes are as fast as a split with checksums can be on its own thread.
    printf '%-34s %10s %10s   %s\n' "against two SHA-256 passes" "median" "floor" \
        "ratio to the floor: min median max   peak memory"
    ref='sha256sum src.bin >/dev/null; sha256sum src.bin >/dev/null'
    row "split --size 2, checksums" - "$cli" split src.bin --size 2 --into q --yes
    row "merge of 2 MiB pieces, checked" joined.bin "$cli" merge s2m/src0.bin.spt joined.bin
    ref='cat src.bin > cat.bin'
    if [ -n "$wine_cli" ]; then
        row "quillet-cli.exe split (Wine)" - /usr/lib/wine/wine64 "$wine_cli" split src.bin \
            --size 2 --into q --yes --no-checksum
        row "quillet-cli.exe merge (Wine)" joined.bin /usr/lib/wine/wine64 "$wine_cli" merge \
            p2m/src0.bin.spt joined.bin
        ref="/usr/lib/wine/wine64 $wine_cli split src.bin --size 2 --into r --yes --no-checksum"
        row "quillet-cli.exe split, checksums" - /usr/lib/wine/wine64 "$wine_cli" split src.bin \
            --size 2 --into q --yes
        ref="/usr/lib/wine/wine64 $wine_cli merge p2m/src0.bin.spt ref.bin"
        row "quillet-cli.exe merge, checked" joined.bin /usr/lib/wine/wine64 "$wine_cli" merge \
            s2m/src0.bin.spt joined.bin
        ref='cat src.bin > cat.bin'
    fi
done
echo
echo "$(bench_load) at the end"
[ -n "$wine_cli" ] || echo "(the Windows console program was not measured under Wine)"
echo "(ratio = wall time / that of cat SRC > DST run beside it, or of the run without checksums"
echo " in the rows under \"with checksums\"; cat copies with copy_file_range;"
echo " --size 2 writes 512 files per GiB, each of which costs its creation)"
