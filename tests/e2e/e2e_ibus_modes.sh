#!/usr/bin/env bash
# The engines' own modes, switched with their toggle keys in a focused GTK window that
# types through IBus: ibus-hangul (Latin at start, Hangul toggles) and ibus-mozc (direct
# input at start, Zenkaku_Hankaku toggles). The badge, the clock's background and one
# LanguageChanged follow each toggle; a newly chosen engine shows the mode it starts in.
# The mozc server refuses root: as root the whole test runs as nobody.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
. "$(dirname "$0")/lib/modes.sh"
e2e_unprivileged "$0" "$@"
e2e_enter_session "$0" "$@"
e2e_init
ibus_typing_session
watch_language_changes

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
