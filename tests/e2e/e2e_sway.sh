#!/usr/bin/env bash
# The real sway 1.7 (nested on Xvfb, layouts us,ru): a running source follows a sway that
# starts late or restarts; Mirevo on sway's XWayland hears a switch made from another
# workspace, shows where stored and takes drags over the settings window.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
. "$(dirname "$0")/lib/sway.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb 1280x800
prepare_sway
# The watcher retries a missing sway at growing intervals, up to 16 s apart.

watch_sources sway
start_sway
sway_ready
expect_latest english 40

# Mirevo as sway's X11 client; the focus goes to an empty workspace.
DISPLAY=$SWAY_DISPLAY XDG_SESSION_TYPE=wayland start_mirevo sway
DISPLAY=$SWAY_DISPLAY expect_window 100 100 24 548
swaymsg workspace 2 >/dev/null
# Where stored (not centred by sway), on another workspace: the badge, and the clock.
expect_pixel 46 598 1313c6 24 "no English badge where stored on sway's screen" 5000
expect_pixel 972 282 1973b2 12 "no clock where stored on sway's screen"

swaymsg input '*' xkb_switch_layout next >/dev/null
[ "$(sway_layout)" = Russian ] || e2e_fail "sway did not switch to Russian: $(sway_layout)"
expect_pixel 46 598 901349 24 "the badge did not turn Russian" 3000
expect_latest russian 40
current_is sway.keylayout.ru.Russian || e2e_fail "the running instance reports $(mirevo_current)"
expect_source auto russian "auto:sway (sway answers at SWAYSOCK=$SWAYSOCK)"
# IBus beside sway: its input method while active, sway's layout while IBus is on a layout.
start_ibus
beside_ibus="auto:sway+ibus (sway answers at SWAYSOCK=$SWAYSOCK, ibus-daemon running; "
ibus_switch hangul
expect_source auto korean "${beside_ibus}ibus answered: an input method is active)"
ibus_switch xkb:us::eng
expect_source auto russian "${beside_ibus}sway answered: ibus is on a keyboard layout)"
stop_ibus

# With the settings open (tiled under the badge) the badge and the clock take drags.
DISPLAY=$SWAY_DISPLAY XDG_SESSION_TYPE=wayland "$MIREVO" >>"$E2E_TMP/mirevo.log" 2>&1
settings_shown() { swaymsg -t get_tree | grep -q '"name": "Mirevo Settings"'; }
wait_until 20 settings_shown || e2e_fail "no settings window"
cursor() { swaymsg -- seat seat0 cursor "$@" >/dev/null; }
# dragged W H X Y DX DY STEP SETTINGS_KEY: a drag from (DX, DY) inside the W x H window, by
# 4 steps of (STEP, -10), moves it from (X, Y), and the settings keep where it was dropped.
# Drags work once the settings page switched move mode on, and a busy sway may lose a
# drag's last events: drag again, from where the window is.
dragged() {
  local attempt step x y
  stored() { jq -c ".$8 | [.positionX, .positionY]" "$XDG_CONFIG_HOME/Mirevo/app_settings.json"; }
  place() { read -r x y _ < <(DISPLAY=$SWAY_DISPLAY sized_window "$1" "$2"); }
  kept() { place "$@" && ((x != $3)) && [ "$(stored "$@")" = "[$x,$((800 - y - $2))]" ]; }
  for attempt in 1 2 3 4 5; do
    place "$@"
    cursor set $((x + $5)) $((y + $6))
    cursor press button1
    for step in 1 2 3 4; do cursor move "$7" -10; done
    cursor release button1
    ! wait_until 3 kept "$@" || return 0
  done
  e2e_fail "the $1x$2 window at ($x, $y) took no drag, or stored $(stored "$@")"
}
dragged 100 100 24 548 50 50 20 imeIndicator
mirevo_call io.github.mirevo.Mirevo1.ShowSettings clock >/dev/null
dragged 320 220 960 270 140 30 -20 clock

# sway gone (the watcher keeps Russian), then a new sway at the same socket.
stop_sway
"$MIREVO" --print-source --input-backend sway >/dev/null 2>&1 && e2e_fail "a source without sway"
latest_is russian || e2e_fail "the running source lost Russian while sway was gone"
# A socket file that nobody answers at, as a crashed sway leaves it: auto passes sway by.
[ -S "$SWAYSOCK" ] || python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$SWAYSOCK"
expect_source auto english "auto:xkb (no input-method daemon)"
rm -f "$SWAYSOCK"
start_sway
sway_ready
[ "$(sway_layout)" = "English (US)" ] || e2e_fail "the new sway starts with $(sway_layout)"
expect_latest english 40
