#!/usr/bin/env bash
# The real GNOME Shell on X11, switched with Super+Space: Mirevo (auto, no
# XDG_CURRENT_DESKTOP), started before the shell, shows the source the shell applied, also
# one not recorded in mru-sources (a password field), and follows the shell's IBus going and
# coming back.
set -euo pipefail
. "$(dirname "$0")/lib/gnome.sh"
gnome_session x11
start_mirevo auto
watch_sources gnome
start_gnome_shell x11
expect_shown xkb:us "at start"
expect_source auto english "auto:gnome (org.gnome.Shell on the session bus)"
# IBus declared does not hide the shell's layouts: the shell keeps IBus on one engine for all.
GTK_IM_MODULE=ibus expect_source auto english "auto:gnome (org.gnome.Shell on the session bus)"
open_window A
focus_window A

declare -A visited=()
switch
expect_badge 7d0036 russian
# Super+Shift+Space goes to the source used longest ago: each press reaches another.
visited[$switched]=1
for _ in 1 2 3 4 5 6; do
  [ ${#visited[@]} -lt 4 ] || [ "$switched" != ibus:hangul ] || break
  switch back
  visited[$switched]=1
done
[ ${#visited[@]} = 4 ] || e2e_fail "the switches reached only ${!visited[*]}"
# The engine's own modes: the Hangul key turns Hangul on and off.
expect_badge 0000b3 "hangul's Latin mode"
xdotool key Hangul
expect_current ibus.inputmethod.hangul.Korean "Hangul key"
expect_badge 6b006b korean
xdotool key Hangul
expect_current "${shows["ibus:hangul"]}" "Hangul key again"

# A password field: the shell turns IBus off and applies the layout chosen last, leaving
# Korean first in mru-sources; a text field turns it on again.
layout=$(gsettings get org.gnome.desktop.input-sources mru-sources | grep -o "'xkb', '[a-z]*'" |
  head -1 | sed "s/'xkb', '\(.*\)'/xkb:\1/")
open_window P password
focus_window P
expect_shown "$layout" "password field"
[ "$(gnome_current)" = ibus:hangul ] || e2e_fail "the password field changed mru-sources"
focus_window A
expect_shown ibus:hangul "text field"

# The shell's ibus-daemon goes away: the shell applies that layout; IBus back, Korean.
kill "$(pgrep -x ibus-daemon -P "$SHELL_PID")"
expect_applied " ${applies[$layout]#* }" "IBus gone"
expect_current "${shows[$layout]}" "IBus gone"
e2e_spawn ibus-daemon --panel disable --xim
expect_shown ibus:hangul "IBus back"

# Without the shell the last source stays (the engine's mode may change as the focus goes).
kill "$SHELL_PID"
wait "$SHELL_PID" 2>/dev/null || true
screen_moves || e2e_fail "Mirevo stopped drawing without the shell"
[[ $(mirevo_current) = ibus.inputmethod.hangul.* ]] || e2e_fail "shell gone: Mirevo shows $(mirevo_current)"
