#!/usr/bin/env bash
# CPU at rest with the badge, the pointer badge and the clock shown (default settings), as
# a ratio against the floor program (a bare Qt program that shows the same three windows
# with the same timers), both measured over the same seconds on one desktop; then the time
# from a compositor's start to the translucent badge and from its end to the shaped one.
# With MIREVO_CALLGRIND=1, also the instructions both run at rest under callgrind, which
# unlike CPU time do not vary with the machine's load. Prints figures; asserts nothing.
#   bench/bench_rest.sh [BUILD_DIR] [SECONDS] [ROUNDS]   (defaults: build, 60, 5)
#   MIREVO_FLOOR: the floor's sources (default ../shared/floor beside the repository)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rest=${2:-60}
rounds=${3:-5}
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

cmake -S "$floor_sources" -B "$build/floor" -G Ninja >/dev/null
cmake --build "$build/floor" >/dev/null

e2e_start_desktop 1920x1080
xsetroot -solid '#808080'
xdotool mousemove 960 540
echo "xkb.keylayout.us.English (US)" >"$E2E_TMP/source"
e2e_spawn "$build/mirevo" --input-backend "file:$E2E_TMP/source"
mirevo=${E2E_PIDS[-1]}
# The badge without a compositor: 70 % blue on black, left of its "A".
"$probe" wait 46 878 0000ff 20 10000 >/dev/null
e2e_spawn "$build/floor/floor"
floor=${E2E_PIDS[-1]}
sleep 3 # start-up work and first paints over

m0=$(cpu_ns "$mirevo") f0=$(cpu_ns "$floor")
sleep "$rest"
m1=$(cpu_ns "$mirevo") f1=$(cpu_ns "$floor")
awk -v m=$((m1 - m0)) -v f=$((f1 - f0)) -v s="$rest" 'BEGIN {
    printf "CPU at rest over %d s: Mirevo %.3f %%, floor %.3f %% of one core; ratio %s\n",
        s, m / s / 1e7, f / s / 1e7, (f > 0 ? sprintf("%.2f x", m / f) : "n/a") }'
echo "memory (RSS PSS, MB): Mirevo $(bench_memory_mb "$mirevo"), floor $(bench_memory_mb "$floor")"
kill "$floor"

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
