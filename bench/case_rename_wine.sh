#!/usr/bin/env bash
# Case-only renames under Wine: quillet-cli.exe renames N files "IMG_0001.JPG" ... to
# ".jpg" (a change of case alone) and, on an identical folder, to ".png", in rounds that
# alternate which goes first; prints each round and min, median and max of both and of
# their ratio. With QUILLET_BENCH_CASE_CLI_BEFORE naming an older quillet-cli.exe, its
# case-only renames are measured in the same rounds. Prints figures; never fails.
# QUILLET_BENCH_FILES (default 2000), QUILLET_BENCH_ROUNDS (default 3),
# QUILLET_BENCH_CASE_CLI (default: the 32-bit build's, made if missing).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=bench/common.sh
source "$root/bench/common.sh"
count=${QUILLET_BENCH_FILES:-2000}
rounds=${QUILLET_BENCH_ROUNDS:-3}
build="$root/build/win32"

say() { echo "bench/case_rename_wine.sh: $*"; }

if [ ! -x /usr/bin/time ]; then
    say "/usr/bin/time is missing (package time); nothing measured"
    exit 0
fi
cli=${QUILLET_BENCH_CASE_CLI:-}
if [ -z "$cli" ]; then
    if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
               -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null &&
           cmake --build "$build" --target quillet-cli -j2 >/dev/null; }; then
        say "the Windows build of quillet-cli failed"
        exit 0
    fi
    cli="$build/cli/quillet-cli.exe"
fi
cli=$(realpath "$cli")
before=${QUILLET_BENCH_CASE_CLI_BEFORE:+$(realpath "$QUILLET_BENCH_CASE_CLI_BEFORE")}

# shellcheck source=/dev/null
source "$root/scripts/wine-env.sh" "$build" >/dev/null 2>&1
work=$(mktemp -d "${QUILLET_BENCH_DIR:-${TMPDIR:-/tmp}}/quillet-bench.XXXXXX")
trap 'rm -rf "$work"; quillet_cleanup' EXIT
BENCH_TIME_FILE=$work/time.txt

# Seconds of one rename run over a fresh folder of count files.
renamed() {  # exe extension
    rm -rf "$work/f" && mkdir "$work/f" && (cd "$work/f" && seq -f 'IMG_%04g.JPG' 1 "$count" | xargs touch)
    bench_time "$WINELOADER" "$1" rename "Z:${work//\//\\}\\f" --extension "$2" | cut -d' ' -f1
}

echo "Renames of $count files under Wine: to .jpg (case only) and to .png, $rounds rounds"
bench_machine "$work"
echo "$(bench_load) at the start"
: >"$work/rounds.txt"
for round in $(seq 1 "$rounds"); do
    if [ $((round % 2)) = 1 ]; then
        c=$(renamed "$cli" jpg) o=$(renamed "$cli" png)
    else
        o=$(renamed "$cli" png) c=$(renamed "$cli" jpg)
    fi
    b=-
    [ -n "$before" ] && b=$(renamed "$before" jpg)
    echo "$c $o $b" >>"$work/rounds.txt"
    printf 'round %d: case only %s s, other %s s, ratio %.2f, before (case only) %s s\n' \
        "$round" "$c" "$o" "$(awk -v c="$c" -v o="$o" 'BEGIN { print c / o }')" "$b"
done
echo "case only (min median max): $(cut -d' ' -f1 "$work/rounds.txt" | bench_spread)"
echo "other     (min median max): $(cut -d' ' -f2 "$work/rounds.txt" | bench_spread)"
echo "ratio     (min median max): $(awk '{ print $1 / $2 }' "$work/rounds.txt" | bench_spread)"
[ -n "$before" ] && echo "before    (min median max): $(cut -d' ' -f3 "$work/rounds.txt" | bench_spread)"
echo "$(bench_load) at the end"
exit 0
