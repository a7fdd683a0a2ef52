# The real GNOME Shell on the script's private session bus, with dconf-service and a second
# private bus as the system bus (the shell aborts without logind's); it starts ibus-daemon.
# The truth is what the shell applied: IBus's engine and what a key types in the locked X
# group. Sourcing runs the script again inside a private session bus; then gnome_session.
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
e2e_enter_session "$0" "$@"

# For each configured source: what the shell applies ("ENGINE KEYSYM", as `applied` prints
# it), and what Mirevo shows (ibus-hangul starts in its Latin mode).
declare -A applies=(["xkb:us"]="xkb:us::eng y" ["xkb:ru"]="xkb:us::eng Cyrillic_en"
  ["xkb:de"]="xkb:us::eng z" ["ibus:hangul"]="hangul y")
declare -A shows=(["xkb:us"]="gnome.keylayout.us.English (US)" ["xkb:ru"]=gnome.keylayout.ru.Russian
  ["xkb:de"]=gnome.keylayout.de.German ["ibus:hangul"]=ibus.inputmethod.hangul.Roman)

# gnome_session x11|wayland [SOURCES]: private folders, Xvfb for x11, and dconf-service
# with these sources (the four above unless given).
gnome_session() {
  e2e_init
  [ "$1" != x11 ] || start_xvfb
  start_dconf
  gsettings set org.gnome.desktop.input-sources sources \
    "${2:-[('xkb', 'us'), ('xkb', 'ru'), ('xkb', 'de'), ('ibus', 'hangul')]}"
  gsettings set org.gnome.desktop.input-sources mru-sources "@a(ss) []"
  # Without animations the shell settles sooner on a busy machine; on a black desktop the
  # badge shows the colours expect_badge looks for.
  gsettings set org.gnome.desktop.interface enable-animations false
  gsettings set org.gnome.desktop.background picture-options none
  gsettings set org.gnome.desktop.background primary-color '#000000'
}

# start_gnome_shell x11|wayland: the shell on Xvfb or headless (DISPLAY then names its
# XWayland); returns once it left its start-up overview and its IBus answers.
start_gnome_shell() {
  [ -n "${DBUS_SYSTEM_BUS_ADDRESS:-}" ] || start_session_bus DBUS_SYSTEM_BUS_ADDRESS
  if [ "$1" = wayland ]; then
    XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland gnome-shell --headless --wayland \
      --virtual-monitor 1280x800 >>"$E2E_TMP/shell.log" 2>&1 &
  else
    XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=x11 gnome-shell --x11 --replace --sm-disable \
      >>"$E2E_TMP/shell.log" 2>&1 &
  fi
  SHELL_PID=$!
  E2E_PIDS+=($SHELL_PID)
  if [ "$1" = wayland ]; then
    wait_until 60 grep -q "Using public X11 display" "$E2E_TMP/shell.log" ||
      e2e_fail "the shell started no XWayland: $(tail -5 "$E2E_TMP/shell.log")"
    export DISPLAY=$(grep -o "Using public X11 display [^,]*" "$E2E_TMP/shell.log" | awk '{print $NF}')
    export WAYLAND_DISPLAY=wayland-0 XDG_SESSION_TYPE=wayland
    export XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* | head -1)
  fi
  wait_until 60 shell_overview true || e2e_fail "the shell did not start: $(tail -5 "$E2E_TMP/shell.log")"
  shell_call org.freedesktop.DBus.Properties.Set org.gnome.Shell OverviewActive '<false>' >/dev/null
  wait_until 30 shell_overview false || e2e_fail "the shell stayed in the overview"
  wait_until 60 shell_ibus_ready || e2e_fail "the shell's IBus did not start"
}
# The shell uses IBus once it is IBus's panel (switches before that are undone).
shell_ibus_ready() {
  [ -n "$(ibus engine 2>/dev/null)" ] &&
    gdbus call --address "$(ibus address)" --dest org.freedesktop.DBus --object-path \
      /org/freedesktop/DBus --method org.freedesktop.DBus.NameHasOwner org.freedesktop.IBus.Panel |
    grep -q true
}
shell_call() { gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell --method "$@"; }
shell_overview() {
  shell_call org.freedesktop.DBus.Properties.Get org.gnome.Shell OverviewActive 2>/dev/null | grep -q "<$1>"
}

# super_space [back]: Super+Space to the source used before, or Super+Shift+Space to the
# one used longest ago. One press each: the switcher misses presses that follow too soon.
super_space() {
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/mutter_keys.py" "$@"
    return
  fi
  local modifiers=super
  [ "${1:-}" != back ] || modifiers="super shift"
  xdotool keydown $modifiers
  sleep 0.2
  xdotool key space
  sleep 0.2
  xdotool keyup $modifiers
}

# applied: IBus's engine and what the key Y types in the locked group ("xkb:us::eng
# Cyrillic_en"); on Wayland the engine alone (XWayland's keyboard does not follow the shell).
applied() {
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    ibus engine 2>/dev/null
  else
    echo "$(ibus engine 2>/dev/null) $("$MIREVO_TOOLS/xkb_typed_keysym" 29 | cut -d' ' -f2)"
  fi
}
# expect_applied "ENGINE KEYSYM" WHAT: the shell applied that within 10 s; expect_shown
# SOURCE WHAT: the shell applied the source ("xkb:ru") and Mirevo shows it.
expect_applied() {
  wanted=$1
  [ -z "${WAYLAND_DISPLAY:-}" ] || wanted=${1% *}
  wait_until 10 eval '[ "$(applied)" = "$wanted" ]' || e2e_fail "$2: the shell applied $(applied), not $wanted"
}
expect_shown() {
  expect_applied "${applies[$1]}" "$2"
  expect_current "${shows[$1]}" "$2"
}

# switch [back]: Super+Space (or Super+Shift+Space); the shell applied the source it put
# first in mru-sources (left in $switched), and Mirevo shows it.
switch() {
  local before
  before=$(gsettings get org.gnome.desktop.input-sources mru-sources)
  super_space "$@"
  wait_until 10 eval '[ "$(gsettings get org.gnome.desktop.input-sources mru-sources)" != "$before" ]' ||
    e2e_fail "Super+Space $* switched nothing"
  switched=$(gnome_current)
  expect_shown "$switched" "Super+Space $* to $switched"
}

# gnome_current: the first of mru-sources, as "type:id" ("xkb:ru"): the source last chosen.
gnome_current() {
  gsettings get org.gnome.desktop.input-sources mru-sources | sed -n "s/^\[('\([^']*\)', '\([^']*\)').*/\1:\2/p"
}
