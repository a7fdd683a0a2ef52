#!/usr/bin/env bash
# The real GNOME Shell on X11 with a source for each window (per-window): on a focus change
# the shell restores the window's own source without recording it in mru-sources, and
# Mirevo shows the restored one. The shell restarted while mru-sources changed is applied
# again from them, and Mirevo shows that once the shell applied it. The truth is what the
# shell applied: IBus's engine and what a key types in the keyboard's locked group.
# Mirevo runs with `auto` in a session that names GNOME.
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
  expect_applied "${applies[${source_of[$1]}]}" "focus on $1"
  expect_current "${shows[${source_of[$1]}]}" "focus on $1"
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

# The shell restarts; meanwhile mru-sources name another source, which Mirevo shows only
# once the restarted shell applied it.
# Its ibus-daemon goes with it, as at the end of a session: an orphaned daemon left
# without its panel kept the restarted shell's IBus from starting now and then.
shell_ibus=$(pgrep -x ibus-daemon -P "$SHELL_PID" || true)
kill "$SHELL_PID" $shell_ibus
wait "$SHELL_PID" 2>/dev/null || true
gone() { ! kill -0 "$1" 2>/dev/null; }
[ -z "$shell_ibus" ] || wait_until 10 gone "$shell_ibus" || e2e_fail "the shell's ibus-daemon did not end"
before=$(mirevo_current)
gsettings set org.gnome.desktop.input-sources mru-sources "[('xkb', 'ru'), ('xkb', 'us')]"
screen_moves || e2e_fail "Mirevo stopped drawing without the shell"
[ "$(mirevo_current)" = "$before" ] || e2e_fail "Mirevo showed $(mirevo_current) before the shell applied it"
start_gnome_shell x11
expect_applied "${applies["xkb:ru"]}" "restarted shell"
expect_current "${shows["xkb:ru"]}" "restarted shell"
