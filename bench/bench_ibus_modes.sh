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
  ibus_switch "$1"
  "$MIREVO_TOOLS/screen-probe" wait 46 878 0000ff 24 5000 >/dev/null || echo "$1: not Latin at start"
  echo "$1, $2 pressed -> new badge colour on screen: $(bench_badge_toggles "$toggles" "$2" "$3" "$2" 0000ff)"
}
measure hangul Hangul 990099
measure mozc-jp Zenkaku_Hankaku ff0000
