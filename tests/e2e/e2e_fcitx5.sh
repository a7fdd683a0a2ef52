#!/usr/bin/env bash
# fcitx5-remote switches change what the fcitx5 backend reports (fcitx5 switches only
# while a client's input context has the focus).
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb

# Asking for a fcitx5 that is not running answers "no source" and must not make the bus
# start one (a second copy would fight the one started below).
! "$MIREVO" --print-source --input-backend fcitx5 2>/dev/null || e2e_fail "a source without fcitx5"
! wait_until 1 bus_has_owner org.fcitx.Fcitx5 || e2e_fail "asking for the method started fcitx5"

start_fcitx5 keyboard-us keyboard-ru hangul
# No focused input context yet: fcitx5 reports no method, Mirevo no source.
! "$MIREVO" --print-source --input-backend fcitx5 2>/dev/null ||
  e2e_fail "a source was reported without a focused input context"
start_fcitx5_client
start_mirevo fcitx5
# fcitx5_switch NAME LANGUAGE COLOUR
fcitx5_switch() {
  fcitx5-remote -s "$1"
  wait_until 3 test "$(fcitx5-remote -n)" = "$1" || e2e_fail "fcitx5 did not switch to $1"
  expect_source fcitx5 "$2"
  expect_badge "$3" "$2"
}
fcitx5_switch hangul korean 990099
fcitx5_switch keyboard-ru russian b3004d
fcitx5_switch keyboard-us english 0000ff
expect_source auto english auto:fcitx5
