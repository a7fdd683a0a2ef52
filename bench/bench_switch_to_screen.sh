#!/usr/bin/env bash
# Switch-to-screen latency per backend: from the switch command returning to the floating
# badge's new colour on screen (the 0.2 s dim-and-restore animation included), against the
# real daemons in a private X server and session bus (GNOME: the real dconf-service and the
# keyboard group locked as GNOME Shell locks it, bench_gnome_shell.sh has the real shell;
# Plasma's own daemon: bench_plasma_switch.sh). With the gnome backend it also measures CPU
# at rest and memory against the floor program (../shared/floor, built into build/floor),
# both running in the same minute.
# Usage: bench/bench_switch_to_screen.sh [SWITCHES (default 30)] [REST_SECONDS (default 20)]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/e2e/lib/session.sh"
. "$here/lib.sh"
e2e_enter_session "$0" "$@"
switches=${1:-30}
rest=${2:-20}
build=${MIREVO_BUILD_DIR:-$here/../build}
export MIREVO=$build/mirevo MIREVO_TOOLS=$build/tools
probe=$build/tools/screen-probe
e2e_init
start_xvfb

# at_rest_against_floor PID: CPU and PSS of PID over the rest period, beside the floor's.
at_rest_against_floor() {
  local floor=$build/floor/floor floor_pid ours theirs
  [ -x "$floor" ] || { echo "at rest: build the floor first (see ../shared/floor)"; return; }
  "$floor" >/dev/null 2>&1 &
  floor_pid=$!
  sleep 2
  bench_cpu_percent "$floor_pid" "$rest" >"$E2E_TMP/floor.cpu" &
  ours=$(bench_cpu_percent "$1" "$rest")
  wait $!
  theirs=$(cat "$E2E_TMP/floor.cpu")
  echo "gnome at rest over ${rest} s: CPU ${ours} % (floor ${theirs} %, ratio $(awk -v a="$ours" \
    -v b="$theirs" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')); RSS PSS MB $(bench_memory_mb "$1")" \
    "(floor $(bench_memory_mb "$floor_pid"))"
  kill "$floor_pid"
}

# measure BACKEND "COMMAND A" COLOUR_A "COMMAND B" COLOUR_B: alternates the two switches.
measure() {
  local backend=$1 samples i command colour before
  samples=$(mktemp)
  start_mirevo "$backend"
  local mirevo_pid=${E2E_PIDS[-1]}
  sleep 1
  for ((i = 0; i < switches; i++)); do
    if ((i % 2 == 0)); then command=$4 colour=$5; else command=$2 colour=$3; fi
    sleep "0.$((RANDOM % 3 + 2))"
    $command >/dev/null 2>&1 || true
    before=$(bench_now_ms)
    "$probe" wait 46 598 "$colour" 24 3000 >/dev/null || { echo "$backend: no new colour"; break; }
    awk -v a="$(bench_now_ms)" -v b="$before" 'BEGIN{printf "%.1f\n", a-b}' >>"$samples"
  done
  echo "$backend: switch command returned -> new badge colour: $(bench_percentiles <"$samples")"
  [ "$backend" = gnome ] && at_rest_against_floor "$mirevo_pid"
  kill "$mirevo_pid"
  rm -f "$samples"
}

setxkbmap -layout us,ru
measure xkb "$MIREVO_TOOLS/xkb_lock_group 0" 0000b3 "$MIREVO_TOOLS/xkb_lock_group 1" 7d0036

start_ibus
ibus_switch xkb:us::eng
measure ibus "ibus engine xkb:us::eng" 0000b3 "ibus engine hangul" 6b006b
stop_ibus

start_fcitx5 keyboard-us keyboard-ru hangul
start_fcitx5_client
fcitx5-remote -s keyboard-us
measure fcitx5 "fcitx5-remote -s keyboard-us" 0000b3 "fcitx5-remote -s hangul" 6b006b
stop_ibus

start_dconf
# As GNOME Shell switches: lock the layout's group, then record the source.
gsettings set org.gnome.desktop.input-sources sources "[('xkb', 'us'), ('xkb', 'ru')]"
setxkbmap -layout us,ru
gnome_source() {
  "$MIREVO_TOOLS/xkb_lock_group" "$2"
  gsettings set org.gnome.desktop.input-sources mru-sources "[('xkb', '$1')]"
}
gnome_us() { gnome_source us 0; }
gnome_ru() { gnome_source ru 1; }
gnome_us
measure gnome gnome_us 0000b3 gnome_ru 7d0036
