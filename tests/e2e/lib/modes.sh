# Input-method mode tests and benchmarks on 1920x1080, badge and clock at their defaults.
# Source after session.sh.

# fcitx5_typing_session: openbox, Plasma's tray watcher, fcitx5 (US keyboard, mozc, tray
# item), Mirevo on fcitx5, and a focused GTK window A that types through fcitx5 (XIM).
fcitx5_typing_session() {
  E2E_DETACHED+=(mozc_server) # started by fcitx5-mozc, it outlives fcitx5
  start_xvfb 1920x1080
  # Keys of their own, as xdotool would otherwise map a spare key for each press.
  xmodmap -e "keycode 101 = Hiragana_Katakana" -e "keycode 102 = Muhenkan" \
    -e "keycode 131 = Zenkaku_Hankaku"
  start_openbox
  start_tray_watcher
  FCITX5_TRAY=1 FCITX5_ADDONS=,xim,mozc start_fcitx5 keyboard-us mozc
  start_mirevo fcitx5
  mirevo_up
  WINDOW_IM_MODULE=xim XMODIFIERS=@im=fcitx open_window A
  focus_window A
  wait_until 10 eval '[ -n "$(fcitx5-remote -n)" ]' || e2e_fail "the window has no fcitx5 input context"
}
# fcitx5_tray_icon: the icon of fcitx5's tray item (Id "Fcitx"), which names mozc's mode;
# tray_icon_is ICON.
tray_icon_is() { [ "$(fcitx5_tray_icon)" = "$1" ]; }
fcitx5_tray_icon() {
  local item
  for item in $(gdbus call --session --dest org.kde.StatusNotifierWatcher \
    --object-path /StatusNotifierWatcher --method org.freedesktop.DBus.Properties.Get \
    org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems | grep -o "':[0-9.]*" | tr -d "'"); do
    tray_item_property "$item" Id | grep -qx Fcitx && tray_item_property "$item" IconName
  done
}
tray_item_property() {
  gdbus call --session --dest "$1" --object-path /StatusNotifierItem \
    --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem "$2" | sed -n "s/^(<'\(.*\)'>,)$/\1/p"
}

# watch_language_changes: logs Mirevo's bus signals; announced: how many LanguageChanged.
watch_language_changes() {
  e2e_spawn gdbus monitor --session --dest io.github.mirevo.Mirevo --object-path /io/github/mirevo/Mirevo
  wait_until 20 grep -q "owned by" "$E2E_TMP/spawned.log" || e2e_fail "gdbus monitor did not start"
}
announced() { grep -c LanguageChanged "$E2E_TMP/spawned.log" || true; }

# expect_mode ID LANGUAGE BADGE CLOCK [same]: Mirevo shows ID, the badge and the clock's
# background that language's colours, and LanguageChanged came once since the last mode
# (none with "same").
MODE_CHANGES=0
expect_mode() {
  expect_current "$1"
  expect_pixel 46 878 "$3" 24 "the badge does not show $2"
  expect_pixel 1612 560 "$4" 6 "the clock's background does not follow $2"
  [ "${5:-}" = same ] || MODE_CHANGES=$((MODE_CHANGES + 1))
  wait_until 5 eval '[ "$(announced)" -ge $MODE_CHANGES ]' || e2e_fail "no LanguageChanged for $2"
  [ "$(announced)" -eq $MODE_CHANGES ] && { [ "${5:-}" = same ] ||
    grep LanguageChanged "$E2E_TMP/spawned.log" | tail -1 | grep -qF "('$2', '$1')"; } ||
    e2e_fail "after $MODE_CHANGES changes: $(grep LanguageChanged "$E2E_TMP/spawned.log")"
}
