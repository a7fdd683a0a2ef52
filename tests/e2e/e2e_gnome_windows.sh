#!/usr/bin/env bash
# The real GNOME Shell on X11 with a source per window: a focus change restores the window's
# source without recording it in mru-sources, and Mirevo shows it. A restarted shell applies
# mru-sources changed meanwhile, and only then does Mirevo show that. Mirevo runs with auto.
set -euo pipefail
. "$(dirname "$0")/lib/gnome.sh"
gnome_session x11
gsettings set org.gnome.desktop.input-sources per-window true
start_gnome_shell x11
XDG_CURRENT_DESKTOP=GNOME start_mirevo auto
watch_sources gnome
open_window A
focus_window A

declare -A source_of=()
# switch_in WINDOW [back]: the switch becomes the window's own source.
switch_in() {
  switch "${@:2}"
  source_of[$1]=$switched
}
# restore WINDOW: focusing the window restores its source, whichever was recorded last.
restore() {
  focus_window "$1"
  expect_shown "${source_of[$1]}" "focus on $1"
}
# A keeps Korean while B goes through two layouts; a new window starts with the first
# source (us), whatever was chosen last.
switch_in A back
open_window B
source_of[B]=xkb:us
restore B
switch_in B back
restore A
expect_badge 0000b3 "hangul's Latin mode"
restore B
switch_in B back
restore A
open_window C
source_of[C]=xkb:us
restore C
restore B
restore C
expect_badge 0000b3 english

# The shell ends with its ibus-daemon, as a session does (an orphaned daemon sometimes kept
# the restarted shell's IBus from starting).
shell_ibus=$(pgrep -x ibus-daemon -P "$SHELL_PID" || true)
kill "$SHELL_PID" $shell_ibus
wait "$SHELL_PID" 2>/dev/null || true
[ -z "$shell_ibus" ] || wait_until 10 eval '! running $shell_ibus' || e2e_fail "the shell's ibus-daemon did not end"
before=$(mirevo_current)
gsettings set org.gnome.desktop.input-sources mru-sources "[('xkb', 'ru'), ('xkb', 'us')]"
screen_moves || e2e_fail "Mirevo stopped drawing without the shell"
[ "$(mirevo_current)" = "$before" ] || e2e_fail "Mirevo showed $(mirevo_current) before the shell applied it"
start_gnome_shell x11
expect_shown xkb:ru "restarted shell"
