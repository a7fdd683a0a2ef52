#!/usr/bin/env bash
# The engines' own modes, switched with their toggle keys in a focused GTK window that
# types through IBus: ibus-hangul (Latin at start, Hangul toggles) and ibus-mozc (direct
# input at start, Zenkaku_Hankaku toggles). The badge, the clock's background and one
# LanguageChanged follow each toggle; a newly chosen engine shows the mode it starts in.
# The mozc server refuses root: as root the whole test runs as nobody.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_unprivileged "$0" "$@"
e2e_enter_session "$0" "$@"
e2e_init
ibus_typing_session
e2e_spawn gdbus monitor --session --dest io.github.mirevo.Mirevo --object-path /io/github/mirevo/Mirevo
wait_until 5 grep -q "owned by" "$E2E_TMP/spawned.log" || e2e_fail "gdbus monitor did not start"

# expect_mode ID LANGUAGE BADGE CLOCK: Mirevo shows ID, the badge and the clock's
# background that language's colours, and LanguageChanged came once since the last mode.
changes=0
expect_mode() {
  wanted=$1
  wait_until 5 eval '[ "$(mirevo_current)" = "$wanted" ]' ||
    e2e_fail "Mirevo shows $(mirevo_current), not $1"
  expect_pixel 46 878 "$3" 24 "the badge does not show $2"
  expect_pixel 1612 560 "$4" 6 "the clock's background does not follow $2"
  [ "${5:-}" = same ] || changes=$((changes + 1))
  wait_until 5 eval '[ "$(announced)" -ge $changes ]' || e2e_fail "no LanguageChanged for $2"
  [ "$(announced)" -eq $changes ] && { [ "${5:-}" = same ] ||
    grep LanguageChanged "$E2E_TMP/spawned.log" | tail -1 | grep -qF "('$2', '$1')"; } ||
    e2e_fail "after $changes changes: $(grep LanguageChanged "$E2E_TMP/spawned.log")"
}
announced() { grep -c LanguageChanged "$E2E_TMP/spawned.log" || true; }

ibus_switch hangul
expect_mode ibus.inputmethod.hangul.Roman english 0000ff 005a99 same
toggle_mode Hangul
expect_mode ibus.inputmethod.hangul.Korean korean 990099 991700
toggle_mode Hangul
expect_mode ibus.inputmethod.hangul.Roman english 0000ff 005a99

ibus_switch mozc-jp
expect_mode ibus.inputmethod.mozc-jp.Roman english 0000ff 005a99 same
toggle_mode Zenkaku_Hankaku
expect_mode ibus.inputmethod.mozc-jp.Japanese japanese ff0000 991700
toggle_mode Zenkaku_Hankaku
expect_mode ibus.inputmethod.mozc-jp.Roman english 0000ff 005a99
