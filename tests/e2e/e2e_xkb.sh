#!/usr/bin/env bash
# XKB: locking keyboard groups changes what the xkb backend reports, for a fresh
# `mirevo --print-source` and, through the X events alone, for a running source.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb
setxkbmap -layout us,ru,gr || e2e_fail "setxkbmap failed"

"$MIREVO_TOOLS/source_watch" --signal-only xkb >"$E2E_TMP/watch.log" 2>"$E2E_TMP/watch.err" &
E2E_PIDS+=($!)
wait_until 5 grep -q english "$E2E_TMP/watch.log" || e2e_fail "source_watch saw no group"

start_mirevo xkb
check_group() {
  "$MIREVO_TOOLS/xkb_lock_group" "$1" || e2e_fail "cannot lock group $1"
  expect_source xkb "$2"
  wait_until 3 grep -q "$2" "$E2E_TMP/watch.log" || e2e_fail "no X event for group $1"
  expect_badge "$3" "$2"
}
check_group 1 russian 7d0036
check_group 2 greek 00478f
check_group 0 english 0000b3
grep -q $'xkb.keylayout.gr.Greek\tgreek' "$E2E_TMP/watch.log" || e2e_fail "unexpected identifiers"

# A new keyboard with fewer groups while group 2 is locked: the group is clamped.
"$MIREVO_TOOLS/xkb_lock_group" 2
setxkbmap -layout ara,us
line=$("$MIREVO" --print-source --input-backend xkb) || e2e_fail "no source after setxkbmap"
case "$(echo "$line" | cut -f2)" in
  arabic | english) e2e_log "ok after a new keyboard: $line" ;;
  *) e2e_fail "unexpected source after a new keyboard: $line" ;;
esac
