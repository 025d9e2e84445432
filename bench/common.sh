# Sourced by the benchmarks: the machine and its load, wall-clock timing, and the spread
# of paired ratios.

# One line about the machine the figures come from.
bench_machine() {
    local cpu fs
    cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)
    fs=$(findmnt -n -o FSTYPE -T "${1:-.}" 2>/dev/null || echo unknown)
    echo "machine: $(nproc) CPUs (${cpu:-unknown}), $(awk '/^MemTotal:/ { printf "%.0f", $2 / 1048576 }' /proc/meminfo) GiB," \
         "Linux $(uname -r), work folder on $fs"
}

bench_load() {
    echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"
}

# Runs a command with its output dropped; prints "wall-seconds peak-KiB user-s system-s".
bench_time() {
    local start end
    start=$EPOCHREALTIME
    /usr/bin/time -f '%M %U %S' -o "$BENCH_TIME_FILE" "$@" </dev/null >/dev/null 2>&1 ||
        echo "failed: $*" >&2
    end=$EPOCHREALTIME
    awk -v s="$start" -v e="$end" '{ printf "%.4f %s %s %s\n", e - s, $1, $2, $3 }' \
        "$BENCH_TIME_FILE"
}

# Numbers on standard input, one a line: "min median max".
bench_spread() {
    sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "- - -"; exit }
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%.3f %.3f %.3f\n", v[1], m, v[NR]
    }'
}
