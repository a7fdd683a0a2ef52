#!/usr/bin/env bash
# Mirevo at rest against the floor program (a bare Qt program that shows the same three
# windows with the same timers), both running on one desktop and measured over the same
# seconds, with the badge, the pointer badge and the clock shown (default settings) and the
# pointer still: CPU, wake-ups (voluntary context switches over all threads, Mirevo's also
# per thread), PSS, and start-up to badge pixels (median of alternating starts of both);
# then the time from a compositor's start to the translucent badge and from its end to the
# shaped one. With MIREVO_CALLGRIND=1, also the instructions both run at rest under
# callgrind, which unlike CPU time do not vary with the machine's load. Prints figures and
# the machine's load; asserts nothing.
#   bench/bench_rest.sh [BUILD_DIR] [SECONDS] [ROUNDS] [STARTS]   (defaults: build, 60, 5, 10)
#   MIREVO_FLOOR: the floor's sources (default ../shared/floor beside the repository)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rest=${2:-60}
rounds=${3:-5}
starts=${4:-10}
here=$(cd "$(dirname "$0")" && pwd)
floor_sources=${MIREVO_FLOOR:-$here/../../shared/floor}
source "$here/../tests/e2e/lib/desktop.sh"
source "$here/lib.sh"
probe="$build/tools/screen-probe"

# Nanoseconds on a CPU so far, over all threads of a process (clock ticks are too coarse
# for a program that sleeps nearly all the time).
cpu_ns() {
    cat /proc/"$1"/task/*/schedstat | awk '{ ns += $1 } END { print ns }'
}
# "TID NAME SWITCHES" for each thread: voluntary context switches, one per wake-up.
thread_switches() {
    local task
    for task in /proc/"$1"/task/*; do
        awk -v tid="${task##*/}" -v name="$(tr ' ' _ <"$task/comm")" \
            '/^voluntary_ctxt_switches/ { print tid, name, $2 }' "$task/status" 2>/dev/null || true
    done
}
# Wake-ups a second between two thread_switches snapshots; a thread that started in
# between counts from zero. With "threads", one line per thread that woke at all.
wakeups() {
    awk -v s="$rest" -v each="${3:-}" 'NR == FNR { before[$1] = $3; next }
        { d = $3 - before[$1]; total += d; if (d > 0) per[$2] += d }
        END { printf "%.1f/s", total / s
              if (each) for (n in per) printf "; %s %.1f/s", n, per[n] / s }' "$1" "$2"
}

cmake -S "$floor_sources" -B "$build/floor" -G Ninja >/dev/null
cmake --build "$build/floor" >/dev/null

e2e_start_desktop 1920x1080
xsetroot -solid '#808080'
xdotool mousemove 960 540
echo "xkb.keylayout.us.English (US)" >"$E2E_TMP/source"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"

# start_ms COMMAND...: milliseconds from spawning COMMAND to its badge's pixels (Mirevo's
# 70 % blue and the floor's own blue, both without a compositor); then stops it and waits
# for the desktop to show again.
start_ms() {
    local colour=$1 before
    before=$(bench_now_ms)
    e2e_spawn "${@:2}"
    "$probe" wait 46 878 "$colour" 20 20000 >/dev/null || echo "no badge from $2" >&2
    awk -v a="$(bench_now_ms)" -v b="$before" 'BEGIN { printf "%.1f\n", a - b }'
    kill "${E2E_PIDS[-1]}"
    wait "${E2E_PIDS[-1]}" 2>/dev/null || true
    "$probe" wait 46 878 808080 0 10000 >/dev/null || true
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for ((i = 0; i < starts; i++)); do
    start_ms 0000ff "$build/mirevo" --input-backend "file:$E2E_TMP/source" >>"$E2E_TMP/starts.mirevo"
    start_ms 1e1edc "$build/floor/floor" >>"$E2E_TMP/starts.floor"
done
m=$(median <"$E2E_TMP/starts.mirevo") f=$(median <"$E2E_TMP/starts.floor")
awk -v m="$m" -v f="$f" -v n="$starts" 'BEGIN {
    printf "start-up to badge pixels (median of %d alternating starts): Mirevo %.0f ms, floor %.0f ms; ratio %.2f x\n",
        n, m, f, m / f }'

e2e_spawn "$build/mirevo" --input-backend "file:$E2E_TMP/source"
mirevo=${E2E_PIDS[-1]}
"$probe" wait 46 878 0000ff 20 10000 >/dev/null
e2e_spawn "$build/floor/floor"
floor=${E2E_PIDS[-1]}
sleep 5 # start-up work and first paints over

m0=$(cpu_ns "$mirevo") f0=$(cpu_ns "$floor")
thread_switches "$mirevo" >"$E2E_TMP/m0" && thread_switches "$floor" >"$E2E_TMP/f0"
sleep "$rest"
m1=$(cpu_ns "$mirevo") f1=$(cpu_ns "$floor")
thread_switches "$mirevo" >"$E2E_TMP/m1" && thread_switches "$floor" >"$E2E_TMP/f1"
awk -v m=$((m1 - m0)) -v f=$((f1 - f0)) -v s="$rest" 'BEGIN {
    printf "CPU at rest over %d s: Mirevo %.3f %%, floor %.3f %% of one core; ratio %s\n",
        s, m / s / 1e7, f / s / 1e7, (f > 0 ? sprintf("%.2f x", m / f) : "n/a") }'
echo "wake-ups at rest: Mirevo $(wakeups "$E2E_TMP/m0" "$E2E_TMP/m1" threads)"
echo "wake-ups at rest: floor $(wakeups "$E2E_TMP/f0" "$E2E_TMP/f1")"
pss() { awk '/^Pss:/ { print $2 / 1024 }' "/proc/$1/smaps_rollup"; }
awk -v m="$(pss "$mirevo")" -v f="$(pss "$floor")" -v mr="$(bench_memory_mb "$mirevo")" \
    -v fr="$(bench_memory_mb "$floor")" 'BEGIN {
    printf "memory (RSS PSS, MB): Mirevo %s, floor %s; PSS ratio %.2f x\n", mr, fr, m / f }'
kill "$floor"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

# The glow left of the disc shows only while a compositor blends; the badge's corner shows
# the desktop again once the window is cut back to its disc.
started=$(mktemp) stopped=$(mktemp)
for ((i = 0; i < rounds; i++)); do
    before=$(bench_now_ms)
    e2e_spawn xcompmgr -n
    "$probe" wait 31 878 787888 3 5000 >/dev/null
    awk -v a="$(bench_now_ms)" -v b="$before" 'BEGIN { printf "%.1f\n", a - b }' >>"$started"
    before=$(bench_now_ms)
    kill "${E2E_PIDS[-1]}"
    "$probe" wait 31 878 808080 0 5000 >/dev/null
    awk -v a="$(bench_now_ms)" -v b="$before" 'BEGIN { printf "%.1f\n", a - b }' >>"$stopped"
    sleep 0.3
done
echo "compositor start to translucent badge: $(bench_percentiles <"$started")"
echo "compositor end to shaped badge: $(bench_percentiles <"$stopped")"
rm -f "$started" "$stopped"

[ "${MIREVO_CALLGRIND:-0}" = 1 ] || exit 0
kill "$mirevo"
# Instrumentation starts once start-up is over, for the same seconds in both.
grind() {
    e2e_spawn valgrind --tool=callgrind --instr-atstart=no \
        --callgrind-out-file="$E2E_TMP/callgrind.$1" "${@:2}"
}
grind mirevo "$build/mirevo" --input-backend "file:$E2E_TMP/source"
grind floor "$build/floor/floor"
sleep 20
callgrind_control -i on "${E2E_PIDS[-1]}" "${E2E_PIDS[-2]}" >/dev/null 2>&1
sleep "$rest"
callgrind_control -d "${E2E_PIDS[-1]}" "${E2E_PIDS[-2]}" >/dev/null 2>&1
sleep 1
total() { callgrind_annotate "$E2E_TMP/callgrind.$1".* 2>/dev/null | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }'; }
awk -v m="$(total mirevo)" -v f="$(total floor)" -v s="$rest" 'BEGIN {
    printf "instructions at rest over %d s (callgrind): Mirevo %.1f M, floor %.1f M; ratio %.2f x\n",
        s, m / 1e6, f / 1e6, m / f }'
