#!/usr/bin/env bash
# GNOME's input-source settings (GSettings on the real dconf-service) turn the badge, for
# layouts xkeyboard-config describes and for an IBus engine ibus-daemon describes.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb
start_ibus
ibus_switch xkb:us::eng
start_dconf
mru() { gsettings set org.gnome.desktop.input-sources mru-sources "$1"; }
gsettings set org.gnome.desktop.input-sources sources "[('xkb', 'us'), ('xkb', 'ru'), ('ibus', 'hangul')]"
mru "[('xkb', 'us')]"
start_mirevo gnome
expect_badge 0000ff english
mru "[('xkb', 'ru'), ('xkb', 'us')]"
expect_badge b3004d russian
expect_source gnome russian

# GNOME Shell sets IBus's engine for an IBus source; the description comes from IBus.
ibus_switch hangul
mru "[('ibus', 'hangul'), ('xkb', 'ru')]"
expect_badge 990099 korean
expect_source gnome korean

# Before anything was used, the first configured source is the current one.
mru "@a(ss) []"
expect_badge 0000ff english
XDG_CURRENT_DESKTOP=GNOME GTK_IM_MODULE=ibus \
  expect_source auto english "auto:gnome (XDG_CURRENT_DESKTOP=GNOME)"
