#!/usr/bin/env bash
# With layout codes chosen, switching between two real XKB layouts of one language (us, de)
# changes the badge's text and back again, while its colour stays English's.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_init
start_xvfb
setxkbmap -layout us,de
write_settings '.imeIndicator.layoutLabel = "layout_code"'
start_mirevo xkb
text=(50 570 50 56) # the default badge's text, inside its disc
# lock GROUP: the group is locked and the badge keeps English's colour.
lock() {
  "$MIREVO_TOOLS/xkb_lock_group" "$1" || e2e_fail "cannot lock group $1"
  # Above the text, which covers expect_badge's place left of an "A".
  expect_pixel 74 568 0000ff 24 "the badge lost English's colour in group $1"
}
lock 0
"$MIREVO_TOOLS/screen-probe" png "$E2E_TMP/before.png" "${text[@]}"
lock 1
wait_until 5 screen_differs "${text[@]}" || e2e_fail "the text did not change from us to de"
cp "$E2E_TMP/now.png" "$E2E_TMP/de.png"
lock 0
same_as_us() { "$MIREVO_TOOLS/screen-probe" png "$E2E_TMP/now.png" "${text[@]}" && cmp -s "$E2E_TMP"/{before,now}.png; }
wait_until 5 same_as_us || e2e_fail "the text of us did not come back"
