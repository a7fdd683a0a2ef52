#!/usr/bin/env bash
# Start-up time, CPU at rest, memory and switch-to-screen latency of the real program on a
# private Xvfb desktop with the file input source.
# Usage: bench/bench_app.sh [build folder] [seconds at rest, default 60] [switches, default 30]
set -euo pipefail
build=${1:-build}
rest=${2:-60}
switches=${3:-30}
here=$(dirname "$0")
source "$here/../tests/e2e/lib/desktop.sh"
source "$here/lib.sh"
probe="$build/tools/screen-probe"

e2e_start_desktop 1920x1080
source_file="$E2E_TMP/input-source"
echo "xkb.keylayout.us.English (US)" >"$source_file"
# Only the badge: the clock and the pointer badge have benchmarks of their own.
mkdir -p "$XDG_CONFIG_HOME/Mirevo"
"$build/tools/settings-defaults" |
    jq '.clock.isVisible = false | .mouseCursorIndicator.isVisible = false' \
        >"$XDG_CONFIG_HOME/Mirevo/app_settings.json"
x=44 y=878

start=$(bench_now_ms)
e2e_spawn "$build/mirevo" --input-backend "file:$source_file"
pid=${E2E_PIDS[-1]}
"$probe" wait $x $y 0000c0 70 10000 >/dev/null
echo "start-up to badge on screen: $(awk -v a="$(bench_now_ms)" -v b="$start" 'BEGIN{printf "%.0f", a-b}') ms"

sleep 2
echo "CPU at rest over ${rest} s: $(bench_cpu_percent "$pid" "$rest") % of one core"
echo "memory (RSS PSS, MB): $(bench_memory_mb "$pid")"

samples=$(mktemp)
for ((i = 0; i < switches; i++)); do
    if ((i % 2 == 0)); then id="ibus.inputmethod.anthy.Japanese" colour=c00000
    else id="xkb.keylayout.us.English (US)" colour=0000c0; fi
    before=$(bench_now_ms)
    echo "$id" >"$source_file"
    "$probe" wait $x $y $colour 70 3000 >/dev/null
    awk -v a="$(bench_now_ms)" -v b="$before" 'BEGIN{printf "%.1f\n", a-b}' >>"$samples"
    sleep 0.2
done
echo "source-file write to new badge colour: $(bench_percentiles <"$samples")"
rm -f "$samples"
