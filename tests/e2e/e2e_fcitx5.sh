#!/usr/bin/env bash
# fcitx5: switching input methods with fcitx5-remote changes what the fcitx5 backend
# reports. fcitx5 switches only while an input context has the focus, so a small client
# holds one.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb

# Asking for a fcitx5 that is not running answers "no source" and must not make the bus
# start one (a second copy would fight the one started below).
if "$MIREVO" --print-source --input-backend fcitx5 2>/dev/null; then
  e2e_fail "a source was reported without fcitx5"
fi
sleep 0.3
bus_has_owner org.fcitx.Fcitx5 && e2e_fail "asking for the current method started fcitx5"
e2e_log "ok: no fcitx5, no source, none started"

start_fcitx5 keyboard-us keyboard-ru hangul
# No focused input context yet: fcitx5 reports no method, Mirevo no source.
if "$MIREVO" --print-source --input-backend fcitx5 2>/dev/null; then
  e2e_fail "a source was reported without a focused input context"
fi
start_fcitx5_client
"$MIREVO_TOOLS/source_watch" fcitx5 >"$E2E_TMP/watch.log" 2>"$E2E_TMP/watch.err" &
E2E_PIDS+=($!)

fcitx5_switch() {
  fcitx5-remote -s "$1"
  wait_until 3 test "$(fcitx5-remote -n)" = "$1" || e2e_fail "fcitx5 did not switch to $1"
}
start_mirevo fcitx5
fcitx5_switch hangul
expect_source fcitx5 korean
expect_badge 6b006b korean
wait_until 3 grep -q 'hangul.Korean' "$E2E_TMP/watch.log" || e2e_fail "the running source missed hangul"
fcitx5_switch keyboard-ru
expect_source fcitx5 russian
expect_badge 7d0036 russian
fcitx5_switch keyboard-us
expect_source fcitx5 english
expect_badge 0000b3 english
expect_source auto english auto:fcitx5
wait_until 3 grep -q 'keylayout.us' "$E2E_TMP/watch.log" || e2e_fail "the running source missed keyboard-us"
