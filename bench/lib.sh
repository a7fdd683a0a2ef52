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

# bench_badge_toggles TOGGLES KEY1 COLOUR1 KEY2 COLOUR2: TOGGLES key presses (xdotool),
# alternating KEY1 and KEY2, each timed from the press until the badge on the 1920x1080
# screen shows COLOUR1 or COLOUR2; prints the percentiles.
bench_badge_toggles() {
    local i key colour pressed times
    times=$(mktemp)
    for ((i = 0; i < $1; i++)); do
        if ((i % 2 == 0)); then key=$2 colour=$3; else key=$4 colour=$5; fi
        sleep "0.$((RANDOM % 3 + 3))"
        pressed=$(bench_now_ms)
        xdotool key "$key"
        "$MIREVO_TOOLS/screen-probe" wait 46 878 "$colour" 24 3000 >/dev/null ||
            { echo "toggle $i ($key): no new colour" >&2; continue; }
        awk -v a="$(bench_now_ms)" -v b="$pressed" 'BEGIN { printf "%.1f\n", a - b }' >>"$times"
    done
    bench_percentiles <"$times"
    rm -f "$times"
}
