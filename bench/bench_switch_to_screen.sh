#!/usr/bin/env bash
# Switch-to-screen latency per backend: from the switch command returning to the floating
# badge's new colour on screen (the 0.2 s dim-and-restore animation included), against the
# real daemons in a private X server and session bus.
# Usage: bench/bench_switch_to_screen.sh [SWITCHES (default 30)]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/e2e/lib/session.sh"
. "$here/lib.sh"
e2e_enter_session "$0" "$@"
switches=${1:-30}
build=${MIREVO_BUILD_DIR:-$here/../build}
export MIREVO=$build/mirevo MIREVO_TOOLS=$build/tools
probe=$build/tools/screen-probe
e2e_init
start_xvfb

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
