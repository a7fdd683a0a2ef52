#!/usr/bin/env bash
# Mode-toggle latency with the real engines: from the toggle key (xdotool, in a focused GTK
# window typing through IBus) to the floating badge's new colour on screen, its 0.2 s
# dim-and-restore animation included: ibus-hangul (Hangul key) and ibus-mozc
# (Zenkaku_Hankaku). As root it runs as nobody, since the mozc server refuses root.
# Usage: bench/bench_ibus_modes.sh [TOGGLES (default 30)]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${MIREVO_BUILD_DIR:-$here/../build}
export MIREVO=$build/mirevo MIREVO_TOOLS=$build/tools
. "$here/../tests/e2e/lib/session.sh"
e2e_unprivileged "$0" "$@"
e2e_enter_session "$0" "$@"
. "$here/lib.sh"
toggles=${1:-30}
e2e_init
ibus_typing_session

# measure ENGINE KEY NATIVE_COLOUR: TOGGLES presses, alternating native and Latin.
measure() {
  local i colour pressed
  ibus_switch "$1"
  : >"$E2E_TMP/$1"
  "$MIREVO_TOOLS/screen-probe" wait 46 878 0000ff 24 5000 >/dev/null || echo "$1: not Latin at start"
  for ((i = 0; i < toggles; i++)); do
    if ((i % 2 == 0)); then colour=$3; else colour=0000ff; fi
    sleep "0.$((RANDOM % 3 + 3))"
    pressed=$(bench_now_ms)
    xdotool key "$2"
    "$MIREVO_TOOLS/screen-probe" wait 46 878 "$colour" 24 3000 >/dev/null ||
      { echo "$1 toggle $i: no new colour"; continue; }
    awk -v a="$(bench_now_ms)" -v b="$pressed" 'BEGIN { printf "%.1f\n", a - b }' >>"$E2E_TMP/$1"
  done
  echo "$1, $2 pressed -> new badge colour on screen: $(bench_percentiles <"$E2E_TMP/$1")"
}
measure hangul Hangul 990099
measure mozc-jp Zenkaku_Hankaku ff0000
