#!/usr/bin/env bash
# fcitx5 switches reach the badge while the daemon starts late, goes, comes back with a tray
# and is replaced: asked periodically without a tray (fcitx5 5.0 announces no switch on its
# controller), announced by its tray item with one. fcitx5 switches only while a client's
# input context has the focus.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb

# Asking for a fcitx5 that is not running answers "no source" and must not make the bus
# start one (a second copy would fight the one started below).
! "$MIREVO" --print-source --input-backend fcitx5 2>/dev/null || e2e_fail "a source without fcitx5"
! wait_until 1 bus_has_owner org.fcitx.Fcitx5 || e2e_fail "asking for the method started fcitx5"

# fcitx5 starts after Mirevo (which chooses it when it comes) and after a watcher of the
# backend's change signal alone.
start_mirevo auto
mirevo_pid=${E2E_PIDS[-1]}
watch_sources fcitx5
start_fcitx5 keyboard-us keyboard-ru hangul
# No focused input context yet: fcitx5 reports no method, Mirevo no source.
! "$MIREVO" --print-source --input-backend fcitx5 2>/dev/null ||
  e2e_fail "a source was reported without a focused input context"
start_fcitx5_client
# fcitx5_switch NAME LANGUAGE COLOUR
fcitx5_switch() {
  fcitx5-remote -s "$1"
  wait_until 3 test "$(fcitx5-remote -n)" = "$1" || e2e_fail "fcitx5 did not switch to $1"
  expect_source fcitx5 "$2"
  expect_badge "$3" "$2"
}
# reason_says TEXT: --print-source's reason for the fcitx5 backend names TEXT.
reason_says() { "$MIREVO" --print-source --input-backend fcitx5 2>&1 | grep -qF "$1"; }
# announced LANGUAGE: how often the signal-only watcher has logged LANGUAGE so far.
announced() { grep -c "	$1	" "$E2E_TMP/watch.log" || true; }
# expect_announced LANGUAGE COUNT: the watcher logs LANGUAGE once more than COUNT.
expect_announced() {
  wait_until 20 test "$(announced "$1")" -gt "$2" ||
    e2e_fail "the signal did not announce $1: $(cat "$E2E_TMP/watch.log")"
}
fcitx5_owner() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetNameOwner string:org.fcitx.Fcitx5 2>/dev/null | awk '/string/ { print $2 }'
}
reason_says "asked every 0.3 s" || e2e_fail "without a tray fcitx5 is not said to be asked"
fcitx5_switch hangul korean 990099
fcitx5_switch keyboard-ru russian b3004d
expect_source auto russian auto:fcitx5
[ "$(announced korean)" = 0 ] || e2e_fail "a switch was announced without a tray item"

# Gone: Mirevo keeps running, and the automatic choice falls back to the keyboard layout,
# which types English.
kill "$FCITX5_PID"
wait "$FCITX5_PID" 2>/dev/null || true
expect_badge 0000ff english
kill -0 "$mirevo_pid" || e2e_fail "Mirevo ended with fcitx5"

# Back with a tray: every switch is announced by fcitx5's tray item, and read at once.
start_tray_watcher
FCITX5_TRAY=1 start_fcitx5 keyboard-us keyboard-ru hangul
start_fcitx5_client
wait_until 10 reason_says "announced by fcitx5's tray item" ||
  e2e_fail "fcitx5's tray item was not found: $("$MIREVO" --print-source --input-backend fcitx5 2>&1)"
fcitx5_switch hangul korean 990099
expect_announced korean 0

# Replaced by a new fcitx5: its new tray item is found again.
old_owner=$(fcitx5_owner)
fcitx5 -r --disable=all --enable=dbus,dbusfrontend,keyboard,xcb,hangul,classicui,notificationitem \
  >>"$E2E_TMP/fcitx5.log" 2>&1 &
E2E_PIDS+=($!)
owner_changed() { [ "$(fcitx5_owner)" != "$old_owner" ]; }
wait_until 10 owner_changed || e2e_fail "fcitx5 was not replaced"
start_fcitx5_client
# The new fcitx5 may start on any of its methods: leave Russian first, so that the switch
# to it is a change to announce.
fcitx5_switch keyboard-us english 0000ff
russian=$(announced russian)
fcitx5_switch keyboard-ru russian b3004d
expect_announced russian "$russian"
kill -0 "$mirevo_pid" || e2e_fail "Mirevo ended while fcitx5 was replaced"
