#!/usr/bin/env bash
# CPU use of the running program at rest with the IME indicator and the clock shown
# (analog with a second hand, then digital), and the time from an input-source switch to
# the clock's new background on screen. Prints figures; asserts nothing.
#   bench/bench_clock.sh [BUILD_DIR] [SECONDS]     (defaults: build, 60)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
duration=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/e2e/lib/desktop.sh"
probe="$build/tools/screen-probe"
ticks_per_second=$(getconf CLK_TCK)

e2e_start_desktop 1920x1080
source_file="$E2E_TMP/input-source"
settings_dir="$XDG_CONFIG_HOME/Mirevo"
mkdir -p "$settings_dir"

# utime + stime of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# The default clock is kept in view at Qt (1600, 550); (1612, 560) is its background.
blue=005a99
red_orange=991700

for style in analog digital; do
    "$build/bench/bench_clock" "$settings_dir/app_settings.json" "$style"
    echo "xkb.keylayout.us.English (US)" >"$source_file"
    "$build/mirevo" --input-backend "file:$source_file" >>"$E2E_TMP/mirevo.log" 2>&1 &
    pid=$!
    E2E_PIDS+=("$pid")
    "$probe" wait 1612 560 $blue 6 10000 >/dev/null
    sleep 2 # let start-up work finish

    start=$(cpu_ticks "$pid")
    sleep "$duration"
    end=$(cpu_ticks "$pid")
    awk -v t=$((end - start)) -v hz="$ticks_per_second" -v d="$duration" -v s="$style" \
        'BEGIN { printf "%-8s clock at rest: %.2f %% of one core over %d s\n", s, 100 * t / hz / d, d }'

    # Switch latency: from writing the source file to the clock's new background pixel, as
    # wall time around the probe (its own start-up included, so an upper bound).
    latencies=()
    for round in 1 2 3 4 5; do
        before=$EPOCHREALTIME
        echo "ibus.inputmethod.anthy.Japanese" >"$source_file"
        "$probe" wait 1612 560 $red_orange 6 5000 >/dev/null
        latencies+=("$(awk -v a="$before" -v b="$EPOCHREALTIME" 'BEGIN { print (b - a) * 1000 }')")
        sleep 0.5
        echo "xkb.keylayout.us.English (US)" >"$source_file"
        "$probe" wait 1612 560 $blue 6 5000 >/dev/null
        sleep 0.5
    done
    printf '%s\n' "${latencies[@]}" | sort -n | awk -v s="$style" \
        '{ v[NR] = $1 } END { printf "%-8s switch to new background: median %.1f ms, min %.1f, max %.1f (%d switches)\n",
            s, v[int((NR + 1) / 2)], v[1], v[NR], NR }'

    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
