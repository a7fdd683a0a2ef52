# Helpers for the benchmark scripts: process CPU time and memory, and percentiles.

# CPU time (user + system) of a process in clock ticks.
bench_cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$1/stat"
}

# Percentage of one core that process $1 used over $2 seconds.
bench_cpu_percent() {
    local pid=$1 seconds=$2 hz before after
    hz=$(getconf CLK_TCK)
    before=$(bench_cpu_ticks "$pid")
    sleep "$seconds"
    after=$(bench_cpu_ticks "$pid")
    awk -v a="$after" -v b="$before" -v s="$seconds" -v hz="$hz" \
        'BEGIN { printf "%.3f", (a - b) / hz / s * 100 }'
}

# "RSS_MB PSS_MB" of a process.
bench_memory_mb() {
    awk '/^Rss:/ {r = $2} /^Pss:/ {p = $2} END {printf "%.1f %.1f", r / 1024, p / 1024}' \
        "/proc/$1/smaps_rollup"
}

# Median and 95th percentile of the numbers on standard input.
bench_percentiles() {
    sort -n | awk '{v[NR] = $1} END {
        if (NR == 0) { print "no samples"; exit }
        m = v[int((NR + 1) / 2)]; p = v[int(NR * 0.95 + 0.999)]; if (p == "") p = v[NR]
        printf "median %.1f ms, p95 %.1f ms (n=%d)", m, p, NR }'
}

# Milliseconds since the epoch, with a fraction.
bench_now_ms() {
    date +%s.%N | awk '{printf "%.3f", $1 * 1000}'
}
