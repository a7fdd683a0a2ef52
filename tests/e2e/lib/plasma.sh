# The real Plasma 5.27's keyboard daemon (org.kde.keyboard): kded5 with plasma-desktop's
# keyboard module on X11, kwin_wayland on Wayland, configured through kxkbrc. Sourcing runs
# the script again inside a private session bus and calls e2e_init.

source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5

# write_kxkbrc LAYOUTS VARIANTS [LABELS]: comma-separated lists, as Plasma keeps them.
write_kxkbrc() {
  printf '[Layout]\nDisplayNames=%s\nLayoutList=%s\nResetOldOptions=true\nSwitchMode=Global\nUse=true\nVariantList=%s\n' \
    "${3:-}" "$1" "$2" >"$XDG_CONFIG_HOME/kxkbrc"
}

# What Plasma's settings module announces after writing kxkbrc; kded and KWin apply it.
reload_kxkbrc() { dbus-send --session --type=signal /Layouts org.kde.keyboard.reloadConfig; }

# kde_call METHOD [ARGS...]: a call to the keyboard daemon.
kde_call() {
  gdbus call --session --dest org.kde.keyboard --object-path /Layouts \
    --method "org.kde.KeyboardLayouts.$1" "${@:2}"
}

# daemon_layout: the long name of the daemon's current layout, as it reports it.
daemon_layout() {
  python3 -c 'import ast, sys
print(ast.literal_eval(sys.argv[1])[0][int(sys.argv[2].split()[1].rstrip(",)"))][2])' \
    "$(kde_call getLayoutsList)" "$(kde_call getLayout)"
}
# expect_daemon_layout LONG_NAME: the daemon reports LONG_NAME as current within 5 s.
daemon_layout_is() { [ "$(daemon_layout)" = "$1" ]; }
expect_daemon_layout() { wait_until 5 daemon_layout_is "$1" || e2e_fail "the daemon is not on $1: $(daemon_layout)"; }

# expect_typed KEYCODE KEYSYM: on X11 the key types KEYSYM in the locked group within 5 s.
expect_typed() {
  wait_until 5 typed_is "$1" "$2" ||
    e2e_fail "key $1 does not type $2: $("$MIREVO_TOOLS/xkb_typed_keysym" "$1")"
}
typed_is() { [ "$("$MIREVO_TOOLS/xkb_typed_keysym" "$1" | cut -d' ' -f2)" = "$2" ]; }

# expect_source_id ID: `mirevo --print-source` (auto) reports exactly ID within 3 s.
expect_source_id() {
  wait_until 3 source_id_is "$1" || e2e_fail "expected the source $1: $("$MIREVO" --print-source 2>&1)"
}
source_id_is() { [ "$("$MIREVO" --print-source | cut -f1)" = "$1" ]; }

# windows_with_layouts INDEX_A INDEX_B: with a layout per window, new windows WINDOW_A and
# WINDOW_B get these (INDEX_A not 0). A window gets layout 0 when first focused: from
# INDEX_A a switch to wait for, after which the layout set is the window's.
windows_with_layouts() {
  local window index
  sed -i 's/SwitchMode=Global/SwitchMode=Window/' "$XDG_CONFIG_HOME/kxkbrc"
  reload_kxkbrc
  kde_call setLayout "$1" >/dev/null
  e2e_spawn xmessage -name plasma-a -geometry 300x80+400+100 A
  e2e_spawn xmessage -name plasma-b -geometry 300x80+400+300 B
  wait_until 10 xdotool search --classname plasma-b || e2e_fail "no windows to focus"
  WINDOW_A=$(xdotool search --classname plasma-a) WINDOW_B=$(xdotool search --classname plasma-b)
  for window in "$WINDOW_A:$1" "$WINDOW_B:$2"; do
    index=${window#*:}
    xdotool windowactivate --sync "${window%:*}"
    wait_until 5 daemon_index_is 0 || e2e_fail "Plasma did not give a new window layout 0"
    kde_call setLayout "$index" >/dev/null
    wait_until 5 daemon_index_is "$index" || e2e_fail "Plasma did not switch to $index"
  done
}
daemon_index_is() { [ "$(kde_call getLayout)" = "(uint32 $1,)" ]; }

# start_kded: kglobalaccel5 (for the keyboard module's shortcuts) and kded5 with the keyboard
# module alone.
start_kded() {
  kded_only keyboard
  bus_has_owner org.kde.kglobalaccel || e2e_spawn kglobalaccel5
  # kded first runs kconf_update and waits for it; KRunner's update script asks for an
  # activity manager that cannot start here and holds kded for 25 s. Without data folders
  # kconf_update finds no scripts; the keyboard module reads xkeyboard-config by full path.
  mkdir -p "$E2E_TMP/no-data"
  XDG_DATA_DIRS=$E2E_TMP/no-data kded5 >>"$E2E_TMP/kded.log" 2>&1 &
  KDED_PID=$!
  E2E_PIDS+=($KDED_PID)
  wait_until 60 bus_has_owner org.kde.keyboard || e2e_fail "kded5 did not load its keyboard module"
}
stop_kded() { stop_pid "$KDED_PID"; }

# start_kwin: kwin_wayland, headless, with XWayland (DISPLAY); it serves org.kde.keyboard.
# screen-probe reads KWin's screenshots (XWayland's root window holds no pixels).
start_kwin() {
  local kwin=kwin_wayland client=$E2E_TMP/kwin-client.sh
  # Debian's binary carries cap_sys_resource, which containers may lack: exec fails there and
  # a copy runs (named kwin_wayland, for its platform plugin to load).
  if ! kwin_wayland --version >/dev/null 2>&1; then
    mkdir -p "$E2E_TMP/kwin"
    cp /usr/bin/kwin_wayland "$E2E_TMP/kwin/kwin_wayland"
    kwin=$E2E_TMP/kwin/kwin_wayland
  fi
  printf '#!/bin/sh\necho "$DISPLAY $WAYLAND_DISPLAY" >"%s"\nexec sleep 1000\n' \
    "$E2E_TMP/kwin-displays" >"$client"
  chmod +x "$client"
  KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 "$kwin" --virtual --xwayland --width 1280 --height 800 \
    "$client" >"$E2E_TMP/kwin.log" 2>&1 &
  E2E_PIDS+=($!)
  wait_until 60 test -s "$E2E_TMP/kwin-displays" || e2e_fail "kwin_wayland did not start"
  read -r DISPLAY WAYLAND_DISPLAY <"$E2E_TMP/kwin-displays"
  export DISPLAY WAYLAND_DISPLAY XDG_SESSION_TYPE=wayland MIREVO_SCREEN=kwin
  wait_until 30 bus_has_owner org.kde.keyboard || e2e_fail "KWin does not serve org.kde.keyboard"
}

# ibus_set_engine NAME: as IBus's panel with "use system keyboard layout" (`ibus engine`
# would also replace Plasma's layouts with the engine's).
ibus_set_engine() {
  gdbus call --address "$(ibus address)" --dest org.freedesktop.IBus \
    --object-path /org/freedesktop/IBus --method org.freedesktop.IBus.SetGlobalEngine "$1" >/dev/null
  [ "$(ibus engine 2>/dev/null)" = "$1" ] || e2e_fail "IBus did not switch to $1"
}
