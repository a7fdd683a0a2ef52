#!/usr/bin/env bash
# fcitx5 switches reach the badge while the daemon starts late, goes, comes back with a tray
# and is replaced: asked periodically without a tray (fcitx5 5.0's controller announces no
# switch), announced by its tray item with one.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb

# Asking for a fcitx5 that is not running answers "no source" and starts none on the bus.
! "$MIREVO" --print-source --input-backend fcitx5 2>/dev/null || e2e_fail "a source without fcitx5"
! wait_until 1 bus_has_owner org.fcitx.Fcitx5 || e2e_fail "asking for the method started fcitx5"

# fcitx5 starts after Mirevo and after a watcher of the backend's change signal alone.
start_mirevo auto
mirevo_pid=${E2E_PIDS[-1]}
watch_sources fcitx5
start_fcitx5 keyboard-us keyboard-ru hangul
# No focused input context yet: fcitx5 reports no method, Mirevo no source.
! "$MIREVO" --print-source --input-backend fcitx5 2>/dev/null ||
  e2e_fail "a source was reported without a focused input context"
start_fcitx5_client
# fcitx5_switch NAME LANGUAGE COLOUR
fcitx5_on() { [ "$(fcitx5-remote -n)" = "$1" ]; }
fcitx5_switch() {
  fcitx5-remote -s "$1"
  wait_until 3 fcitx5_on "$1" || e2e_fail "fcitx5 did not switch to $1"
  expect_source fcitx5 "$2"
  expect_badge "$3" "$2"
}
# reason_says TEXT: --print-source's reason for the fcitx5 backend names TEXT.
reason_says() { "$MIREVO" --print-source --input-backend fcitx5 2>&1 | grep -qF "$1"; }
# announced LANGUAGE: how often the signal-only watcher has logged LANGUAGE so far.
announced() { grep -c "	$1	" "$E2E_TMP/watch.log" || true; }
# expect_announced LANGUAGE COUNT: the watcher logs LANGUAGE once more than COUNT.
announced_beyond() { [ "$(announced "$1")" -gt "$2" ]; }
expect_announced() {
  wait_until 20 announced_beyond "$1" "$2" ||
    e2e_fail "the signal did not announce $1: $(cat "$E2E_TMP/watch.log")"
}
reason_says "asked every 0.3 s" || e2e_fail "without a tray fcitx5 is not said to be asked"
fcitx5_switch hangul korean 990099
fcitx5_switch keyboard-ru russian b3004d
expect_source auto russian auto:fcitx5
[ "$(announced korean)" = 0 ] || e2e_fail "a switch was announced without a tray item"

# Gone: Mirevo keeps running, falling back to the keyboard layout (English).
stop_pid "$FCITX5_PID"
expect_badge 0000ff english
kill -0 "$mirevo_pid" || e2e_fail "Mirevo ended with fcitx5"

# Back with a tray: every switch is announced by fcitx5's tray item.
start_tray_watcher
FCITX5_TRAY=1 start_fcitx5 keyboard-us keyboard-ru hangul
start_fcitx5_client
wait_until 10 reason_says "announced by fcitx5's tray item" ||
  e2e_fail "fcitx5's tray item was not found: $("$MIREVO" --print-source --input-backend fcitx5 2>&1)"
fcitx5_switch hangul korean 990099
expect_announced korean 0

# Replaced by a new fcitx5: its new tray item is found again.
old=$FCITX5_PID
FCITX5_TRAY=1 start_fcitx5 keyboard-us keyboard-ru hangul
wait_until 10 eval '! running $old && bus_has_owner org.fcitx.Fcitx5' || e2e_fail "fcitx5 was not replaced"
start_fcitx5_client
# The new fcitx5 may start on any method: leave Russian, so that going to it is a change.
fcitx5_switch keyboard-us english 0000ff
russian=$(announced russian)
fcitx5_switch keyboard-ru russian b3004d
expect_announced russian "$russian"
kill -0 "$mirevo_pid" || e2e_fail "Mirevo ended while fcitx5 was replaced"
