#!/usr/bin/env bash
# The engines' own modes, toggled in a focused GTK window typing through IBus: ibus-hangul
# (Hangul) and ibus-mozc (Zenkaku_Hankaku). Badge, clock background and one LanguageChanged
# follow each toggle; a new engine shows its start mode. As root it runs as nobody (mozc).
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
