#!/usr/bin/env bash
# Where the time of quillet-cli.exe goes under Wine: a split of one file into 2 MiB pieces
# and the merge back, with wall, user and system time, page faults, the wineserver's CPU
# time, and the system calls by kind (strace). With QUILLET_BENCH_WINE_CLI_BEFORE naming
# an older quillet-cli.exe, both are measured in alternating runs, before and after.
# Prints figures; never fails. QUILLET_BENCH_MB (default 512), QUILLET_BENCH_ROUNDS
# (default 5), QUILLET_BENCH_WINE_CLI (default: build one), QUILLET_BENCH_DIR.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=bench/common.sh
source "$root/bench/common.sh"
size_mb=${QUILLET_BENCH_MB:-512}
rounds=${QUILLET_BENCH_ROUNDS:-5}
build="$root/build/bench-split-win64"

say() { echo "bench/wine_profile.sh: $*"; }

if [ ! -x /usr/lib/wine/wine64 ] || [ ! -x /usr/bin/time ]; then
    say "64-bit Wine and /usr/bin/time are needed; nothing measured"
    exit 0
fi
after=${QUILLET_BENCH_WINE_CLI:-}
if [ -z "$after" ]; then
    if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
               -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null &&
           cmake --build "$build" --target quillet-cli -j2 >/dev/null; }; then
        say "the Windows build of quillet-cli failed"
        exit 0
    fi
    after="$build/cli/quillet-cli.exe"
fi
programs=("after=$(realpath "$after")")
[ -n "${QUILLET_BENCH_WINE_CLI_BEFORE:-}" ] &&
    programs=("before=$(realpath "$QUILLET_BENCH_WINE_CLI_BEFORE")" "${programs[@]}")

# shellcheck source=/dev/null
source "$root/scripts/wine-env.sh" "$build" >/dev/null 2>&1
work=$(mktemp -d "${QUILLET_BENCH_DIR:-${TMPDIR:-/tmp}}/quillet-bench.XXXXXX")
trap 'rm -rf "$work"; quillet_cleanup' EXIT
cd "$work" || exit 0
dd if=/dev/urandom of=src.bin bs=1M count="$size_mb" status=none || exit 0
cat src.bin >/dev/null

# The session's wineserver: the one whose folder is named for the prefix's identity.
server_dir="server-$(printf '%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))"
server_pid=
for p in /proc/[0-9]*; do
    case "$(readlink "$p/cwd" 2>/dev/null)" in */"$server_dir") server_pid=${p#/proc/} ;; esac
done
server_cpu() {  # clock ticks of user and system time
    [ -n "$server_pid" ] && awk '{ print $14 + $15 }' "/proc/$server_pid/stat" 2>/dev/null || echo 0
}
ticks=$(getconf CLK_TCK)

# "wall user system minor-faults server-seconds" of one run.
measure() {
    local before start end
    before=$(server_cpu)
    start=$EPOCHREALTIME
    /usr/bin/time -f '%U %S %R' -o time.txt /usr/lib/wine/wine64 "$@" </dev/null >/dev/null 2>&1
    end=$EPOCHREALTIME
    echo "$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }') $(cat time.txt)" \
         "$(awk -v a="$before" -v b="$(server_cpu)" -v t="$ticks" 'BEGIN { printf "%.2f", (b - a) / t }')"
}

split_args=(split src.bin --size 2 --into w --yes)
merge_args=(merge w/src0.bin.spt joined.bin)
: >runs.txt
for round in $(seq 1 "$rounds"); do
    order=("${programs[@]}")
    [ $((round % 2)) = 0 ] && [ "${#programs[@]}" = 2 ] && order=("${programs[1]}" "${programs[0]}")
    for entry in "${order[@]}"; do
        name=${entry%%=*} exe=${entry#*=}
        rm -rf w joined.bin
        sync
        echo "$name split $(measure "$exe" "${split_args[@]}")" >>runs.txt
        sync
        echo "$name merge $(measure "$exe" "${merge_args[@]}")" >>runs.txt
        cmp -s src.bin joined.bin || say "$name: the merged file differs from the source"
    done
done

echo "quillet-cli.exe under Wine, $size_mb MiB in 2 MiB pieces, median of $rounds runs each"
bench_machine "$work"
bench_load
printf '%-14s %8s %8s %8s %12s %14s\n' "" wall user system "minor faults" "wineserver cpu"
for entry in "${programs[@]}"; do
    name=${entry%%=*}
    for op in split merge; do
        printf '%-14s' "$name $op"
        for col in 3 4 5 6 7; do
            grep "^$name $op " runs.txt | cut -d' ' -f"$col" | bench_spread | cut -d' ' -f2 |
                awk -v c="$col" '{ printf(c == 6 ? " %12.0f" : c == 7 ? " %12.2f s" : " %6.2f s", $1) }'
        done
        echo
    done
done

if command -v strace >/dev/null; then
    echo
    echo "system calls of one run (strace -f -c), the most frequent kinds"
    for entry in "${programs[@]}"; do
        name=${entry%%=*} exe=${entry#*=}
        rm -rf w joined.bin
        for op in split merge; do
            if [ "$op" = split ]; then args=("${split_args[@]}"); else args=("${merge_args[@]}"); fi
            strace -f -c -o calls.txt /usr/lib/wine/wine64 "$exe" "${args[@]}" </dev/null >/dev/null 2>&1
            # Columns: % time, seconds, usecs/call, calls, [errors,] name.
            echo "$name $op: $(awk '$NF == "total" { print $4 " calls: " }' calls.txt)$(
                awk 'NR > 2 && $1 !~ /^-/ && $NF != "total" { print $4, $NF }' calls.txt |
                    sort -rn | head -n 7 | awk '{ printf "%s %s, ", $2, $1 }')"
        done
    done
fi
