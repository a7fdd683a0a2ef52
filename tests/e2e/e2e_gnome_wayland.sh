#!/usr/bin/env bash
# The real GNOME Shell on Wayland (headless), switched with Super+Space through mutter's
# remote-desktop keys, a source per window. On XWayland Mirevo reads the shell's settings and
# IBus only: switches show, and a window's restored IBus method or layout shows as such
# (which layout is not known outside the shell: printed as measured).
set -euo pipefail
. "$(dirname "$0")/lib/gnome.sh"
gnome_session wayland
gsettings set org.gnome.desktop.input-sources per-window true
start_gnome_shell wayland
start_mirevo gnome
watch_sources gnome
# GTK windows on XWayland, so that xdotool can focus them.
export GDK_BACKEND=x11
open_window A
focus_window A

switch
for _ in 1 2 3 4; do
  switch back
  [ "$switched" != ibus:hangul ] || break
done
expect_applied "${applies["ibus:hangul"]}" "Korean in A"

# B starts with the first source, a layout, which shows as a layout.
open_window B
focus_window B
expect_applied "${applies["xkb:us"]}" "B, a new window"
wait_until 5 eval '[[ $(mirevo_current) = gnome.keylayout.* ]]' ||
  e2e_fail "B restored a layout; Mirevo shows $(mirevo_current)"
echo "measured: B restored the layout us; mru-sources begin $(gnome_current); Mirevo shows $(mirevo_current)"
# B switches to another layout; A's Korean comes back with A, though mru-sources name B's.
switch back
[ "$switched" != ibus:hangul ] || switch back
focus_window A
expect_shown ibus:hangul "A again"

# fcitx5 beside the shell: followed where declared, the shell's sources where not.
start_fcitx5 keyboard-ru
start_fcitx5_client
asked="asked every 0.3 s: fcitx5 announces switches only through its tray item, which shows while a tray runs"
GTK_IM_MODULE=fcitx expect_source auto russian "auto:fcitx5 (GTK_IM_MODULE=fcitx; $asked)"
expect_source auto korean "auto:gnome (org.gnome.Shell on the session bus)"
