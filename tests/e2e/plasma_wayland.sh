#!/usr/bin/env bash
# Plasma 5.27 on Wayland: the real kwin_wayland (headless), which serves org.kde.keyboard
# and leaves XWayland's XKB group alone. Badge and clock show where stored (KWin's
# screenshots); the layout follows KWin, also after kxkbrc changes; IBus (running, not
# declared) answers while an input method is active; KWin keeps a layout per window.
set -euo pipefail
. "$(dirname "$0")/lib/plasma.sh"
write_kxkbrc us,us,ru ,rus,phonetic EN,,
start_kwin
start_ibus
ibus_set_engine xkb:us::eng

start_mirevo auto
expect_badge 0000b3 english
# The default clock, 320x220, kept in view at the right edge: (960, 270) to (1280, 490),
# its 60 % blue background over KWin's black.
for corner in "972 280" "1268 280" "972 478" "1268 478"; do
  expect_pixel $corner 005a99 6 "no clock at $corner" 10000
done
screen_moves 960 270 320 220 || e2e_fail "the clock stands still"
backend="auto:kde+ibus (org.kde.keyboard on the session bus, ibus-daemon running; "
expect_source auto english "${backend}kde answered: ibus is on a keyboard layout)"

kde_call setLayout 1 >/dev/null
expect_daemon_layout "Russian (US, phonetic)"
expect_badge 7d0036 russian
expect_source_id "kde.keylayout.us(rus).Russian"
kde_call switchToNextLayout >/dev/null
expect_daemon_layout "Russian (phonetic)"
expect_source_id "kde.keylayout.ru(phonetic).Russian"
kde_call switchToNextLayout >/dev/null
expect_daemon_layout "English (US)"
expect_badge 0000b3 english

# On Wayland kxkbrc alone names the variants: a new one is read when KWin announces it.
write_kxkbrc us,gr ,polytonic
reload_kxkbrc
polytonic_listed() { kde_call getLayoutsList | grep -q polytonic; }
wait_until 10 polytonic_listed ||
  e2e_fail "KWin did not apply the new kxkbrc: $(kde_call getLayoutsList)"
kde_call setLayout 1 >/dev/null
expect_daemon_layout "Greek (polytonic)"
expect_badge 00478f greek
expect_source_id "kde.keylayout.gr(polytonic).Greek"
ibus_set_engine libpinyin
expect_badge 007d00 chinese_simplified
expect_source auto chinese_simplified "${backend}ibus answered: an input method is active)"
ibus_set_engine xkb:us::eng
expect_badge 00478f greek

# A layout per window: KWin restores each window's layout when it gets the focus.
windows_with_layouts 1 0
a=$WINDOW_A b=$WINDOW_B
for step in "$a|Greek (polytonic)|00478f" "$b|English (US)|0000b3" "$a|Greek (polytonic)|00478f"; do
  IFS='|' read -r window name colour <<<"$step"
  xdotool windowactivate --sync "$window"
  expect_daemon_layout "$name"
  expect_badge "$colour" "the focused window's layout"
done
