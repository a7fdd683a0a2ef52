#!/usr/bin/env bash
# sway switch -> LanguageChanged: from `swaymsg input * xkb_switch_layout next` to the
# running Mirevo's LanguageChanged signal on the session bus (timed by dbus-monitor as it
# receives the signal), against the real sway nested on Xvfb with the layouts us,ru, while
# an empty workspace has the focus. Prints the median and p95 from the command's start, and
# how often the signal came before swaymsg itself had returned.
# Usage: bench/bench_sway.sh [SWITCHES (default 30)]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/e2e/lib/session.sh"
. "$here/../tests/e2e/lib/sway.sh"
. "$here/lib.sh"
e2e_enter_session "$0" "$@"
switches=${1:-30}
build=${MIREVO_BUILD_DIR:-$here/../build}
export MIREVO=$build/mirevo MIREVO_TOOLS=$build/tools
e2e_init
start_xvfb 1280x800
prepare_sway
start_sway
sway_ready
DISPLAY=$SWAY_DISPLAY XDG_SESSION_TYPE=wayland start_mirevo sway
wait_until 20 bus_has_owner io.github.mirevo.Mirevo || e2e_fail "Mirevo did not start"
swaymsg workspace 2 >/dev/null
signals=$E2E_TMP/signals.log
dbus-monitor --session "type='signal',interface='io.github.mirevo.Mirevo1',member='LanguageChanged'" \
  >"$signals" 2>/dev/null &
E2E_PIDS+=($!)
wait_until 5 grep -q NameAcquired "$signals" || e2e_fail "dbus-monitor did not start"

signal_count() { grep -c 'member=LanguageChanged' "$signals" || true; }
more_signals_than() { [ "$(signal_count)" -gt "$1" ]; }
# signal_ms N: when dbus-monitor received the Nth LanguageChanged, in ms since the epoch.
signal_ms() {
  grep 'member=LanguageChanged' "$signals" | sed -n "$1p" |
    sed 's/.*time=\([0-9.]*\).*/\1/' | awk '{printf "%.3f", $1 * 1000}'
}
from_start=$(mktemp)
early=0
for ((i = 0; i < switches; i++)); do
  seen=$(signal_count)
  sleep "0.$((RANDOM % 3 + 2))"
  before=$(bench_now_ms)
  swaymsg input '*' xkb_switch_layout next >/dev/null
  after=$(bench_now_ms)
  wait_until 5 more_signals_than "$seen" || {
    echo "sway: switch $i brought no LanguageChanged"
    break
  }
  at=$(signal_ms $((seen + 1)))
  awk -v a="$at" -v b="$before" 'BEGIN { printf "%.1f\n", a - b }' >>"$from_start"
  ! awk -v a="$at" -v b="$after" 'BEGIN { exit !(a < b) }' || early=$((early + 1))
done
echo "sway: swaymsg started -> LanguageChanged: $(bench_percentiles <"$from_start")"
echo "sway: LanguageChanged before swaymsg had returned: $early of $(wc -l <"$from_start")"
rm -f "$from_start"
