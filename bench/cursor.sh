#!/usr/bin/env bash
# Pointer badge benchmark on a private X desktop:
#   bench/cursor.sh [BUILD_DIR] [REST_SECONDS]     (defaults build, 60)
# 1. pointer lag (median, 95th percentile over 50 relative moves) with the XInput2 monitor
#    and with the 20 Hz timer alone (MIREVO_NO_XINPUT=1);
# 2. the program's CPU use while the pointer rests, with the badge hidden and shown, as a
#    percentage of one core; the difference is what the badge adds.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rest=${2:-60}
source "$(dirname "$0")/../tests/e2e/lib/desktop.sh"

e2e_start_desktop 1024x768
source_file=$E2E_TMP/source
echo "xkb.keylayout.us.English (US)" >"$source_file"
settings_dir=$XDG_CONFIG_HOME/Mirevo
mkdir -p "$settings_dir"

start_mirevo() {
    e2e_spawn env "$@" "$build/mirevo" --input-backend "file:$source_file"
    mirevo_pid=$!
    sleep 2 # start-up done, first paints over
}
stop_mirevo() {
    kill "$mirevo_pid"
    wait "$mirevo_pid" 2>/dev/null || true
}
# CPU seconds (user + system) of a process so far.
cpu_seconds() {
    local fields
    read -ra fields <"/proc/$1/stat"
    # Fields 14 and 15 (utime, stime) counted after the "(comm)" field, which has no spaces here.
    echo "scale=4; (${fields[13]} + ${fields[14]}) / $(getconf CLK_TCK)" | bc
}
rest_cpu_percent() {
    local before after
    xdotool mousemove 500 400
    sleep 1
    before=$(cpu_seconds "$mirevo_pid")
    sleep "$rest"
    after=$(cpu_seconds "$mirevo_pid")
    echo "scale=3; 100 * ($after - $before) / $rest" | bc
}

xdotool mousemove 500 400
start_mirevo MIREVO_NO_XINPUT=0
printf 'XInput2 monitor + timer: '
"$build/bench/bench_cursor_lag" 50
shown=$(rest_cpu_percent)
stop_mirevo

start_mirevo MIREVO_NO_XINPUT=1
printf 'timer alone:             '
"$build/bench/bench_cursor_lag" 50
stop_mirevo

"$build/tools/settings-defaults" | jq '.mouseCursorIndicator.isVisible = false' \
    >"$settings_dir/app_settings.json"
start_mirevo MIREVO_NO_XINPUT=0
hidden=$(rest_cpu_percent)
stop_mirevo

echo "CPU at rest over ${rest} s: badge shown ${shown} %, hidden ${hidden} %, added by the badge $(echo "$shown - $hidden" | bc) % of one core"
