#!/usr/bin/env bash
# Switch latency on the real Plasma 5.27 keyboard daemon (kded5 with plasma-desktop's
# keyboard module) in a private X server and session bus, alternating us and us(rus) with
# setLayout: from the daemon's layoutChanged to Mirevo's LanguageChanged on its bus
# interface, and to the floating badge's new colour on screen (the 0.2 s dim-and-restore
# animation included). Both clocks start when a bus monitor sees layoutChanged. Prints
# figures; on a loaded machine they show the load.
# Usage: bench/bench_plasma_switch.sh [SWITCHES (default 30)]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/e2e/lib/plasma.sh"
. "$here/lib.sh"
build=${MIREVO_BUILD_DIR:-$here/../build}
export MIREVO=$build/mirevo MIREVO_TOOLS=$build/tools
switches=${1:-30}
start_xvfb
write_kxkbrc us,us ,rus EN,
start_kded
start_mirevo kde
wait_until 20 bus_has_owner io.github.mirevo.Mirevo || e2e_fail "Mirevo did not start"
expect_badge 0000b3 english

signals=$E2E_TMP/signals
dbus-monitor --session --profile "type='signal',path='/Layouts',member='layoutChanged'" \
  "type='signal',interface='io.github.mirevo.Mirevo1',member='LanguageChanged'" >"$signals" &
E2E_PIDS+=($!)
wait_until 5 grep -q NameAcquired "$signals" || e2e_fail "dbus-monitor did not start"

# ms_of MEMBER: the monitor's time stamp of the last MEMBER signal, in milliseconds.
ms_of() { awk -v m="$1" '$NF == m { t = $2 } END { printf "%.3f", t * 1000 }' "$signals"; }
count_of() { grep -c "$1\$" "$signals" || true; }
signalled() { [ "$(count_of "$1")" -gt "$2" ]; }

to_signal=$(mktemp) to_pixels=$(mktemp)
for ((i = 0; i < switches; i++)); do
  if ((i % 2 == 0)); then index=1 colour=7d0036; else index=0 colour=0000b3; fi
  sleep "0.$((RANDOM % 3 + 2))"
  before=$(count_of LanguageChanged)
  kde_call setLayout "$index" >/dev/null
  returned=$(bench_now_ms)
  shown=$("$MIREVO_TOOLS/screen-probe" wait 46 598 "$colour" 24 3000) || {
    echo "no new colour"
    break
  }
  wait_until 3 signalled LanguageChanged "$before" || {
    echo "no LanguageChanged"
    break
  }
  switched=$(ms_of layoutChanged)
  awk -v a="$(ms_of LanguageChanged)" -v b="$switched" 'BEGIN { printf "%.1f\n", a - b }' >>"$to_signal"
  awk -v r="$returned" -v s="$shown" -v b="$switched" 'BEGIN { printf "%.1f\n", r + s - b }' >>"$to_pixels"
done
echo "plasma (kded5), layoutChanged -> LanguageChanged: $(bench_percentiles <"$to_signal")"
echo "plasma (kded5), layoutChanged -> new badge colour: $(bench_percentiles <"$to_pixels")"
rm -f "$to_signal" "$to_pixels"
