#!/usr/bin/env bash
# fcitx5-mozc mode-toggle latency: from the key (xdotool, in a focused GTK window typing
# through fcitx5) to the floating badge's new colour on screen, its 0.2 s dim-and-restore
# animation included. Shift+Muhenkan turns mozc to half-width Latin, Hiragana_Katakana back
# to Hiragana; Mirevo reads the mode from fcitx5's tray item (Plasma's watcher runs). As root
# it runs as nobody, since the mozc server refuses root.
# Usage: bench/bench_fcitx5_modes.sh [TOGGLES (default 30)]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${MIREVO_BUILD_DIR:-$here/../build}
export MIREVO=$build/mirevo MIREVO_TOOLS=$build/tools
. "$here/../tests/e2e/lib/session.sh"
. "$here/../tests/e2e/lib/modes.sh"
e2e_unprivileged "$0" "$@"
e2e_enter_session "$0" "$@"
. "$here/lib.sh"
toggles=${1:-30}
e2e_init
fcitx5_typing_session

fcitx5-remote -s mozc
"$MIREVO_TOOLS/screen-probe" wait 46 878 ff0000 24 10000 >/dev/null || echo "mozc: not Japanese at start"
echo "fcitx5-mozc, Shift+Muhenkan / Hiragana_Katakana pressed -> new badge colour on screen:" \
  "$(bench_badge_toggles "$toggles" shift+Muhenkan 0000ff Hiragana_Katakana ff0000)"

# At rest after the toggles: Mirevo's wake-ups (voluntary context switches of all threads)
# over 20 s, with fcitx5's tray item followed and nothing asked periodically.
switches() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'; }
pid=$(pgrep -n -f "^$MIREVO --input-backend fcitx5")
before=$(switches "$pid")
sleep 20
echo "Mirevo at rest on fcitx5 with its tray item: $(awk -v a="$(switches "$pid")" -v b="$before" 'BEGIN { printf "%.1f", (a - b) / 20 }') wake-ups/s"
