#!/usr/bin/env bash
# Locked XKB groups change what the xkb backend reports, for a fresh `--print-source` and,
# through the X events alone, for a running source.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb
setxkbmap -layout us,ru,gr
watch_sources xkb
expect_watched english
start_mirevo xkb
# check GROUP LANGUAGE COLOUR
check() {
  "$MIREVO_TOOLS/xkb_lock_group" "$1" || e2e_fail "cannot lock group $1"
  expect_source xkb "$2"
  expect_watched "$2"
  expect_badge "$3" "$2"
}
check 1 russian b3004d
check 2 greek 0066cc
check 0 english 0000ff
expect_watched $'xkb.keylayout.gr.Greek\tgreek'

# A new keyboard with fewer groups while group 2 is locked: the group is clamped.
"$MIREVO_TOOLS/xkb_lock_group" 2
setxkbmap -layout ara,us
line=$("$MIREVO" --print-source --input-backend xkb) || e2e_fail "no source after setxkbmap"
[[ $(cut -f2 <<<"$line") == @(arabic|english) ]] || e2e_fail "after a new keyboard: $line"
