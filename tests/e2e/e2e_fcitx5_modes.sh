#!/usr/bin/env bash
# fcitx5-mozc's own modes, toggled in a focused GTK window typing through fcitx5 (XIM); the
# mode shows only in fcitx5's tray item, read from Plasma's StatusNotifierWatcher (kded5).
# Badge, clock background and one LanguageChanged follow each toggle; fcitx5's switch to the
# keyboard and back keeps mozc's mode. As root it runs as nobody (mozc refuses root).
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
. "$(dirname "$0")/lib/modes.sh"
e2e_unprivileged "$0" "$@"
e2e_enter_session "$0" "$@"
e2e_init
fcitx5_typing_session
watch_language_changes

# toggle KEY ICON: KEY pressed until fcitx5 shows ICON.
toggle() { press_until "$1" tray_icon_is "$2" || e2e_fail "fcitx5 shows $(fcitx5_tray_icon) after $1, not $2"; }

fcitx5-remote -s mozc
wait_until 10 tray_icon_is fcitx_mozc_hiragana || e2e_fail "mozc started in $(fcitx5_tray_icon)"
expect_mode fcitx5.inputmethod.mozc.Japanese japanese ff0000 991700
toggle shift+Muhenkan fcitx_mozc_alpha_half
expect_mode fcitx5.inputmethod.mozc.Roman english 0000ff 005a99
# fcitx5's trigger key leaves mozc for the keyboard and comes back to mozc's Latin mode.
toggle Zenkaku_Hankaku input-keyboard-symbolic
expect_mode fcitx5.keylayout.us.English\ \(US\) english 0000ff 005a99 same
toggle Zenkaku_Hankaku fcitx_mozc_alpha_half
expect_mode fcitx5.inputmethod.mozc.Roman english 0000ff 005a99 same
toggle Hiragana_Katakana fcitx_mozc_hiragana
expect_mode fcitx5.inputmethod.mozc.Japanese japanese ff0000 991700
