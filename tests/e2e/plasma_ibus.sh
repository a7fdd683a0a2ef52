#!/usr/bin/env bash
# Plasma 5.27 on X11 with IBus declared (GTK_IM_MODULE=ibus), as IBus users on Plasma set
# it: Plasma (the real kded5) switches layouts while IBus stays on its layout engine, and
# IBus's input method (libpinyin, which starts in its Chinese mode) answers while it is active. The truth is what key 24 types
# in the locked group and the engine IBus reports. IBus also goes and comes back.
set -euo pipefail
. "$(dirname "$0")/lib/plasma.sh"
start_xvfb
write_kxkbrc us,us ,rus EN,
start_kded
start_ibus
ibus_set_engine xkb:us::eng
export GTK_IM_MODULE=ibus

start_mirevo auto
expect_badge 0000ff english
backend="auto:kde+ibus (GTK_IM_MODULE=ibus, org.kde.keyboard on the session bus; "
expect_source auto english "${backend}kde answered: ibus is on a keyboard layout)"

kde_call setLayout 1 >/dev/null
expect_typed 24 Cyrillic_ya
expect_badge b3004d russian
expect_source_id "kde.keylayout.us(rus).Russian"

ibus_set_engine libpinyin
expect_badge 00b300 chinese_simplified
expect_source auto chinese_simplified "${backend}ibus answered: an input method is active)"
ibus_set_engine xkb:us::eng
expect_typed 24 Cyrillic_ya
expect_badge b3004d russian
kde_call switchToNextLayout >/dev/null
expect_typed 24 q
expect_badge 0000ff english

# Without IBus Plasma alone answers; IBus back, its input method again.
stop_ibus
kde_call setLayout 1 >/dev/null
expect_typed 24 Cyrillic_ya
expect_badge b3004d russian
start_ibus
ibus_set_engine libpinyin
expect_badge 00b300 chinese_simplified
expect_source auto chinese_simplified "${backend}ibus answered: an input method is active)"
