#!/usr/bin/env bash
# Switch latency against the real GNOME Shell on X11 (Xvfb): from the release of Super
# after Super+Space (the moment the shell's switcher applies the next source) to Mirevo's
# LanguageChanged signal on the session bus, and to the floating badge's new colour on
# screen (its 0.2 s dim-and-restore animation included); for comparison, to the shell's
# own record of the switch in mru-sources (written after it applied the source). Alternates
# us and ru.
# Usage: bench/bench_gnome_shell.sh [SWITCHES (default 30)]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/e2e/lib/gnome.sh"
. "$here/lib.sh"
switches=${1:-30}
build=${MIREVO_BUILD_DIR:-$here/../build}
export MIREVO=$build/mirevo MIREVO_TOOLS=$build/tools
gnome_session x11 "[('xkb', 'us'), ('xkb', 'ru')]"
start_gnome_shell x11
start_mirevo gnome
wait_until 20 eval '[ "$(mirevo_current)" = "${shows["xkb:us"]}" ]' || e2e_fail "Mirevo did not start"
open_window A
focus_window A
# Each LanguageChanged and each change of mru-sources, with the wall-clock time in ms.
/usr/bin/python3 -c '
import time
from gi.repository import Gio, GLib
def arrived(what):
    print("%.3f %s" % (time.time() * 1000, what), flush=True)
bus = Gio.bus_get_sync(Gio.BusType.SESSION)  # kept: the bus closes with its last reference
bus.signal_subscribe(None, "io.github.mirevo.Mirevo1", "LanguageChanged",
    "/io/github/mirevo/Mirevo", None, Gio.DBusSignalFlags.NONE, lambda *_: arrived("mirevo"))
settings = Gio.Settings.new("org.gnome.desktop.input-sources")
settings.connect("changed::mru-sources", lambda *_: arrived("shell"))
settings.get_value("mru-sources")
arrived("listening")
GLib.MainLoop().run()' >"$E2E_TMP/signals.log" &
E2E_PIDS+=($!)
wait_until 10 grep -q listening "$E2E_TMP/signals.log" || e2e_fail "the listener did not start"

# arrival WHO: ms from the release to the latest line of WHO, once one arrived after it.
arrival() {
  who=$1
  wait_until 3 eval '[ "$(grep -c " $who\$" "$E2E_TMP/signals.log")" -gt "${seen[$who]}" ]' || return 1
  grep " $who\$" "$E2E_TMP/signals.log" | awk -v b="$released" 'END { printf "%.1f\n", $1 - b }'
}
declare -A seen
for ((i = 0; i < switches; i++)); do
  if ((i % 2 == 0)); then colour=7d0036; else colour=0000b3; fi
  for who in mirevo shell; do seen[$who]=$(grep -c " $who\$" "$E2E_TMP/signals.log" || true); done
  sleep "0.$((RANDOM % 3 + 3))"
  xdotool keydown super
  sleep 0.2
  xdotool key space
  sleep 0.2
  released=$(bench_now_ms)
  xdotool keyup super
  "$MIREVO_TOOLS/screen-probe" wait 46 598 "$colour" 24 3000 >/dev/null ||
    { echo "switch $i: no new colour"; continue; }
  awk -v a="$(bench_now_ms)" -v b="$released" 'BEGIN { printf "%.1f\n", a - b }' >>"$E2E_TMP/pixels"
  arrival mirevo >>"$E2E_TMP/mirevo" || echo "switch $i: no LanguageChanged"
  arrival shell >>"$E2E_TMP/shell" || echo "switch $i: mru-sources unchanged"
done
echo "GNOME Shell 43 X11, Super+Space released ->"
echo "  Mirevo's LanguageChanged: $(bench_percentiles <"$E2E_TMP/mirevo")"
echo "  new badge colour on screen: $(bench_percentiles <"$E2E_TMP/pixels")"
echo "  (the shell's mru-sources changed: $(bench_percentiles <"$E2E_TMP/shell"))"
