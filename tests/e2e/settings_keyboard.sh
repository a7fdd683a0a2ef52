#!/usr/bin/env bash
# The settings window by keyboard: Esc and Ctrl+W close an open pop-up and only it, a second
# Esc the window; a request naming a page shows it; over AT-SPI every slider reads as the
# number beside it. `mirevo --quit` and the `quit` action end the program, settings saved.
set -euo pipefail
source "$(dirname "$0")/lib/desktop.sh"
e2e_start_desktop 1280x800
config=$XDG_CONFIG_HOME/Mirevo

mapped_windows() { xdotool search --onlyvisible --classname mirevo | wc -l; }
windows_are() { [ "$(mapped_windows)" -eq "$1" ]; }
windows_at_most() { [ "$(mapped_windows)" -le "$1" ]; }
settings_closed() { ! settings_open >/dev/null; }
# Each slider as a screen reader gets it, against the label beside it ("100 px" reads 100);
# prints the misread ones, fails on one or when the twelve sliders are not all there.
sliders_read_as_shown() {
    /usr/bin/python3 -c 'import re, sys, gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi
def tree(node):
    yield node
    for i in range(node.get_child_count()): yield from tree(node.get_child_at_index(i))
sliders = [n for n in tree(Atspi.get_desktop(0)) if n.get_role() == Atspi.Role.SLIDER]
wrong = []
for slider in sliders:
    shown = slider.get_parent().get_child_at_index(slider.get_index_in_parent() + 1).get_name()
    if float(re.search(r"[-+]?[0-9]+", shown).group()) != Atspi.Value.get_current_value(slider):
        wrong.append("%s reads %g, shows %s" % (slider.get_name(), Atspi.Value.get_current_value(slider), shown))
print("\n".join(wrong) or "%d sliders" % len(sliders))
sys.exit(1 if wrong or len(sliders) < 12 else 0)'
}

# The accessibility bus and Qt's bridge to it.
unset NO_AT_BRIDGE
e2e_spawn /usr/libexec/at-spi-bus-launcher --launch-immediately
wait_until 10 bus_has_owner org.a11y.Bus || e2e_fail "the accessibility bus did not start"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_mirevo file
mirevo_pid=${E2E_PIDS[-1]}
mirevo_up
mirevo_call io.github.mirevo.Mirevo1.ShowSettings clock >/dev/null
wait_until 20 settings_open || e2e_fail "the settings window did not open"
xdotool windowactivate --sync "$(settings_open | head -1)"
wait_until 20 sliders_read_as_shown || e2e_fail "sliders over AT-SPI: $(sliders_read_as_shown 2>&1)"
base=$(mapped_windows)

# KEYS open a pop-up of the clock page (one more window); Esc and Ctrl+W close it and only it.
for popup in "alt+f space|font menu" "alt+l space|drop-down list" "alt+x Menu|context menu" \
    "alt+t|color dialog"; do
    IFS='|' read -r keys what <<<"$popup"
    for close in Escape ctrl+w; do
        # shellcheck disable=SC2086 # one key per word
        xdotool key --delay 150 $keys
        wait_until 5 windows_are $((base + 1)) || e2e_fail "$keys opened no $what"
        xdotool key "$close"
        wait_until 5 windows_at_most "$base" || e2e_fail "$close did not close the $what"
        settings_open >/dev/null || e2e_fail "$close with the $what open closed the settings window"
        windows_are "$base" || e2e_fail "$close with the $what open closed more than the $what"
    done
done
xdotool key Escape
wait_until 5 settings_closed || e2e_fail "a second Esc did not close the settings window"

# A page named while the window is open is shown (Alt+Z reaches the pointer size only
# there), and its change saved on quitting.
mirevo_call io.github.mirevo.Mirevo1.ShowSettings clock >/dev/null
wait_until 20 settings_open || e2e_fail "the settings window did not open again"
mirevo_call io.github.mirevo.Mirevo1.ShowSettings mouseCursor >/dev/null
xdotool windowactivate --sync "$(settings_open | head -1)" key --delay 150 alt+z Right
"$MIREVO" --quit || e2e_fail "mirevo --quit did not end the running instance"
! running "$mirevo_pid" || e2e_fail "mirevo --quit returned before the instance ended"
size=$(jq .mouseCursorIndicator.size "$config/app_settings.json")
[ "$size" = 21 ] || e2e_fail "the pointer page did not show, or its size was not saved: $size"
grep -q '^UnifiedSettings=' "$config/Mirevo.conf" ||
    e2e_fail "the open settings window's frame was not saved on quitting"

out=$("$MIREVO" --quit 2>&1) && e2e_fail "mirevo --quit with none running succeeded: $out"
grep -qF "no Mirevo is running" <<<"$out" || e2e_fail "mirevo --quit with none running said: $out"

start_mirevo file
mirevo_pid=${E2E_PIDS[-1]}
mirevo_up
# The answer may not get out before the program ends: its ending is what counts.
mirevo_call org.freedesktop.Application.ActivateAction quit '[]' '{}' >/dev/null || true
wait_until 5 eval '! running $mirevo_pid' || e2e_fail "the quit action did not end Mirevo"
