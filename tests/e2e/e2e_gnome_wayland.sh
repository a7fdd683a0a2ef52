#!/usr/bin/env bash
# The real GNOME Shell on Wayland (headless, one virtual monitor), switched with
# Super+Space through mutter's remote-desktop keys, with a source for each window. Mirevo
# runs on XWayland, whose X keyboard does not follow the shell, so it reads only the
# shell's settings and IBus: switches made by hand show, and a window's restored IBus
# method or layout shows as such; which layout a window restored is not known outside the
# shell, and the layout chosen last stands for it (printed as measured). The truth is what
# the shell reports: mru-sources and IBus's engine.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
. "$(dirname "$0")/lib/gnome.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_dconf
gnome_sources "[('xkb', 'us'), ('xkb', 'ru'), ('xkb', 'de'), ('ibus', 'hangul')]"
gsettings set org.gnome.desktop.input-sources per-window true
start_gnome_shell wayland
start_mirevo gnome
watch_sources gnome
# GTK windows on XWayland, so that xdotool can focus them.
export GDK_BACKEND=x11
open_window A
focus_window A

# switch [back]: the source the shell recorded first shows, with IBus's engine for it.
switch() {
  local before now
  before=$(gsettings get org.gnome.desktop.input-sources mru-sources)
  super_space "$@"
  wait_until 10 eval '[ "$(gsettings get org.gnome.desktop.input-sources mru-sources)" != "$before" ]' ||
    e2e_fail "Super+Space $* switched nothing"
  now=$(gnome_current)
  expect_engine "${applies["$now"]% *}" "Super+Space $* to $now"
  expect_current "${shows["$now"]}" "Super+Space $* to $now"
}
expect_engine() {
  wanted=$1
  wait_until 10 eval '[ "$(ibus engine 2>/dev/null)" = "$wanted" ]' ||
    e2e_fail "$2: IBus uses $(ibus engine 2>&1), not $1"
}
switch
for _ in 1 2 3 4; do
  switch back
  [ "$(gnome_current)" != ibus:hangul ] || break
done
expect_engine hangul "Korean in A"

# B starts with the first source, a layout, which shows as a layout.
open_window B
focus_window B
expect_engine xkb:us::eng "B, a new window"
wait_until 5 eval '[[ $(mirevo_current) = gnome.keylayout.* ]]' ||
  e2e_fail "B restored a layout; Mirevo shows $(mirevo_current)"
echo "measured: B restored the layout us; mru-sources begin $(gnome_current); Mirevo shows $(mirevo_current)"
# B switches to another layout; A's Korean comes back with A, though mru-sources name B's.
switch back
[ "$(gnome_current)" != ibus:hangul ] || switch back
focus_window A
expect_engine hangul "A again"
expect_current "${shows["ibus:hangul"]}" "A again"
