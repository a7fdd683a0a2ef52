#!/usr/bin/env bash
# The GNOME source without the shell's X keyboard (as on Wayland, where it reads only
# GNOME's settings and IBus), against the real dconf-service and ibus-daemon: each starts
# after the source, goes away and comes back, and the source keeps its last answer
# meanwhile and follows again after. Values the shell cannot produce but dconf holds (a
# list of another type, an engine IBus does not have) give the shell's own fallbacks.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb
export XDG_SESSION_TYPE=wayland
mru() { gsettings set org.gnome.desktop.input-sources mru-sources "$1"; }
export GSETTINGS_BACKEND=dconf
watch_sources gnome
watcher=${E2E_PIDS[-1]}
expect_latest "gnome.keylayout.us.English (US)" 5 "no settings yet: the shell's US layout"

start_dconf
dconf_pid=${E2E_PIDS[-1]}
gsettings set org.gnome.desktop.input-sources sources \
  "[('xkb', 'us'), ('xkb', 'ru'), ('xkb', 'de'), ('ibus', 'hangul'), ('ibus', 'no-such-engine')]"
mru "[('xkb', 'ru'), ('xkb', 'us')]"
expect_latest gnome.keylayout.ru.Russian 5 "dconf-service started late"
stop_pid "$dconf_pid"
start_dconf
mru "[('xkb', 'de'), ('xkb', 'ru')]"
expect_latest gnome.keylayout.de.German 5 "dconf-service restarted"

# IBus describes its engines once it runs; without it the engine's name alone is known.
mru "[('ibus', 'hangul'), ('xkb', 'de')]"
expect_latest ibus.inputmethod.hangul 5 "no IBus"
start_ibus
ibus_switch hangul
# Enabled, ibus-hangul announces its Latin mode, also with no window focused.
expect_latest ibus.inputmethod.hangul.Roman 5 "ibus-daemon started late"
# Gone, the daemon's description is kept.
stop_ibus
mru "[('xkb', 'ru'), ('ibus', 'hangul')]"
expect_latest gnome.keylayout.ru.Russian 5 "ibus-daemon gone"
mru "[('ibus', 'hangul'), ('xkb', 'ru')]"
expect_latest ibus.inputmethod.hangul.Roman 5 "ibus-daemon gone"
start_ibus
ibus_switch xkb:us::eng
expect_latest gnome.keylayout.ru.Russian 5 "ibus-daemon back on a layout engine"

mru "[('ibus', 'no-such-engine'), ('xkb', 'de')]"
expect_latest gnome.keylayout.de.German 5 "an engine IBus does not have"
dconf write /org/gnome/desktop/input-sources/sources "@a(ss) []"
expect_latest "gnome.keylayout.us.English (US)" 5 "no sources configured"
gsettings set org.gnome.desktop.input-sources sources "[('xkb', 'ru'), ('xkb', 'de')]"
expect_latest gnome.keylayout.de.German 5 "sources back"
dconf write /org/gnome/desktop/input-sources/mru-sources "'not a list'"
expect_latest gnome.keylayout.ru.Russian 5 "mru-sources of another type: the first source"
kill -0 "$watcher" || e2e_fail "the source's process ended"
