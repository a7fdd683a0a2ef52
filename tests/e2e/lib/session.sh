# Helpers for end-to-end scripts, benchmarks and the demo: a private X server or desktop,
# session bus and input-method daemons, all stopped by process id on exit. Source, call
# e2e_init (desktop.sh does both), then the start_* functions. Expects MIREVO and MIREVO_TOOLS.

E2E_PIDS=()
E2E_DETACHED=() # names of programs that leave their parent (mozc_server): stopped at exit

# Says what failed and keeps the screen as /tmp/mirevo-<script>-failure.png.
e2e_fail() {
  echo "[$(date +%T)] FAIL: $*" >&2
  [ -z "${DISPLAY:-}" ] ||
    "$MIREVO_TOOLS/screen-probe" png "/tmp/mirevo-$(basename "$0" .sh)-failure.png" 2>/dev/null || true
  exit 1
}

# kill_tree PID: ends PID and its children (IBus engines, ...), also stopped ones;
# stop_pid PID also waits for it.
kill_tree() {
  local pids="$1 $(pgrep -P "$1")"
  kill $pids 2>/dev/null || true
  kill -CONT $pids 2>/dev/null || true
}
stop_pid() {
  kill_tree "$1"
  wait "$1" 2>/dev/null || true
}
running() { [[ $(ps -o stat= -p "$1" 2>/dev/null) == [^Z]* ]]; }

e2e_cleanup() {
  local status=$? i
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do kill_tree "${E2E_PIDS[i]}"; done
  for i in "${E2E_DETACHED[@]}"; do kill $(session_pids "$i") 2>/dev/null || true; done
  for i in "${E2E_PIDS[@]}"; do wait "$i" 2>/dev/null || true; done
  # Helpers may still be writing their caches for a moment.
  [ -z "${E2E_TMP:-}" ] || rm -rf "$E2E_TMP" 2>/dev/null || { sleep 0.3; rm -rf "$E2E_TMP" || true; }
  exit $status
}

# A private HOME and XDG folders, so nothing touches the user's configuration.
e2e_init() {
  E2E_TMP=$(mktemp -d /tmp/mirevo-e2e.XXXXXX)
  export HOME=$E2E_TMP/home XDG_CONFIG_HOME=$E2E_TMP/home/.config XDG_RUNTIME_DIR=$E2E_TMP/runtime
  export XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache E2E_SOURCE=$E2E_TMP/source
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  unset IBUS_ADDRESS IBUS_ADDRESS_FILE GTK_IM_MODULE QT_IM_MODULE XMODIFIERS INPUT_METHOD
  unset WAYLAND_DISPLAY XDG_SESSION_TYPE XDG_CURRENT_DESKTOP QT_QPA_PLATFORM
  # Keep the GTK helpers of the daemons from starting accessibility and dconf services.
  export NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory LANG=C.UTF-8 LC_ALL=C.UTF-8
  set_source "xkb.keylayout.us.English (US)"
  trap e2e_cleanup EXIT
}

# set_source ID: the identifier `start_mirevo file` reads as the current input source.
set_source() { echo "$1" >"$E2E_SOURCE"; }

# wait_until SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.05
  done
}

# start_xvfb [WIDTHxHEIGHT]: Xvfb (1280x800 unless given); -noreset keeps XKB settings.
start_xvfb() {
  local fifo=$E2E_TMP/displayfd number
  mkfifo "$fifo"
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "${1:-1280x800}x24" 3>"$fifo" 2>"$E2E_TMP/xvfb.log" &
  E2E_PIDS+=($!)
  read -r -t 10 number <"$fifo" || e2e_fail "Xvfb did not start"
  export DISPLAY=:$number
}

# As root, runs the script again as nobody (mozc refuses root): e2e_unprivileged "$0" "$@",
# before e2e_enter_session "$0" "$@", which runs it again inside a private session bus.
e2e_unprivileged() {
  [ "$(id -u)" -ne 0 ] || exec setpriv --reuid=nobody --regid=nogroup --clear-groups bash "$@"
}

e2e_enter_session() {
  [ -n "${MIREVO_E2E_SESSION:-}" ] || MIREVO_E2E_SESSION=1 exec dbus-run-session -- bash "$@"
}

bus_has_owner() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}

# The real dconf-service, started here so that it writes under the private HOME.
start_dconf() {
  export GSETTINGS_BACKEND=dconf
  /usr/libexec/dconf-service >"$E2E_TMP/dconf.log" 2>&1 &
  E2E_PIDS+=($!)
  wait_until 5 bus_has_owner ca.desrt.dconf || e2e_fail "dconf-service did not start"
}

# IBus without panel or emoji helpers, in-memory configuration; replaces a running one.
start_ibus() {
  ibus-daemon --xim --panel=disable --emoji-extension=disable \
    --config=/usr/libexec/ibus-memconf --replace >"$E2E_TMP/ibus.log" 2>&1 &
  IBUS_PID=$!
  E2E_PIDS+=($IBUS_PID)
  wait_until 10 ibus_address_ready || e2e_fail "ibus-daemon did not start"
}
# The daemon owns its session-bus name before clients can reach its private bus.
ibus_address_ready() {
  bus_has_owner org.freedesktop.IBus && ! ibus engine 2>&1 | grep -q -e "Not connected" -e "IBUS_IS_BUS"
}
stop_ibus() { stop_pid "$IBUS_PID"; }

# ibus engine NAME: exits 1 for engines with layout "default" although the switch worked.
ibus_switch() {
  ibus engine "$1" >/dev/null 2>&1 || true
  [ "$(ibus engine 2>/dev/null)" = "$1" ] || e2e_fail "ibus did not switch to $1"
}

# start_fcitx5 IM...: fcitx5 (replacing a running one) with these input methods, the first
# the default; its tray item when FCITX5_TRAY is set, FCITX5_ADDONS (",xim,mozc") added.
start_fcitx5() {
  local i=0 im
  mkdir -p "$XDG_CONFIG_HOME/fcitx5"
  {
    printf '[Groups/0]\nName=Default\nDefault Layout=us\nDefaultIM=%s\n' "$1"
    for im in "$@"; do printf '[Groups/0/Items/%d]\nName=%s\nLayout=\n' $((i++)) "$im"; done
    printf '[GroupOrder]\n0=Default\n'
  } >"$XDG_CONFIG_HOME/fcitx5/profile"
  fcitx5 -r --disable=all --enable=dbus,dbusfrontend,keyboard,xcb,hangul${FCITX5_TRAY:+,classicui,notificationitem}${FCITX5_ADDONS:-} \
    >>"$E2E_TMP/fcitx5.log" 2>&1 &
  FCITX5_PID=$!
  E2E_PIDS+=($FCITX5_PID)
  wait_until 10 bus_has_owner org.fcitx.Fcitx5 || e2e_fail "fcitx5 did not take its bus name"
}

# kded_only MODULE: kded5rc that keeps kded5's other modules off.
kded_only() {
  local module
  {
    printf '[General]\nCheckSycoca=false\nCheckUpdates=false\n'
    for module in /usr/lib/*/qt5/plugins/kf5/kded/*.so; do
      module=$(basename "$module" .so)
      [ "$module" = "$1" ] || printf '[Module-%s]\nautoload=false\n' "$module"
    done
  } >"$XDG_CONFIG_HOME/kded5rc"
}

# Plasma's StatusNotifierWatcher (kded5's module), where programs show tray items. The
# services the bus starts for kded5 need the display (else they hang) and private folders.
start_tray_watcher() {
  kded_only statusnotifierwatcher
  local name environment="'DISPLAY': '$DISPLAY'"
  for name in HOME XDG_CONFIG_HOME XDG_RUNTIME_DIR XDG_DATA_HOME XDG_CACHE_HOME; do
    environment+=", '$name': '${!name}'"
  done
  gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.UpdateActivationEnvironment "{$environment}" >/dev/null
  kded5 >"$E2E_TMP/kded5.log" 2>&1 &
  E2E_PIDS+=($!)
  wait_until 20 bus_has_owner org.kde.kded5 || e2e_fail "kded5 did not start"
  gdbus call --session --dest org.kde.kded5 --object-path /kded \
    --method org.kde.kded5.loadModule statusnotifierwatcher >/dev/null
  wait_until 20 bus_has_owner org.kde.StatusNotifierWatcher || e2e_fail "no StatusNotifierWatcher"
}

# A client with a focused input context, which fcitx5 needs before it switches methods.
start_fcitx5_client() {
  "$MIREVO_TOOLS/fcitx5_focus_client" >"$E2E_TMP/focus-client.log" 2>&1 &
  E2E_PIDS+=($!)
  wait_until 10 grep -q focused "$E2E_TMP/focus-client.log" || e2e_fail "no fcitx5 input context"
}

# expect_source BACKEND LANGUAGE [NAME]: `mirevo --print-source` reports LANGUAGE from the
# backend NAME (BACKEND unless given; the reason in parentheses may be left out) within 3 s.
expect_source() {
  local line got deadline=$((SECONDS + 3))
  until line=$("$MIREVO" --print-source --input-backend "$1" 2>&1) || true
    got=$(cut -f3 <<<"$line")
    [ "$(cut -f2 <<<"$line")" = "$2" ] && [[ $got = "${3:-$1}" || ${got%% (*} = "${3:-$1}" ]]; do
    [ $SECONDS -lt $deadline ] || e2e_fail "expected $2 from ${3:-$1}, got: $line"
    sleep 0.1
  done
}

# watch_sources BACKEND: source_watch logs each source the backend announces.
watch_sources() {
  "$MIREVO_TOOLS/source_watch" "$1" >"$E2E_TMP/watch.log" 2>>"$E2E_TMP/watch.err" &
  E2E_PIDS+=($!)
}
# expect_watched PATTERN: source_watch logged a line matching PATTERN within 5 s.
expect_watched() {
  wait_until 5 grep -q "$1" "$E2E_TMP/watch.log" ||
    e2e_fail "the running source missed $1: $(cat "$E2E_TMP/watch.log")"
}

# expect_latest ID_OR_LANGUAGE [SECONDS [WHAT]]: source_watch's last line names it (in 5 s).
latest_is() { tail -1 "$E2E_TMP/watch.log" | cut -f1,2 | tr '\t' '\n' | grep -qxF "$1"; }
expect_latest() {
  wait_until "${2:-5}" latest_is "$1" ||
    e2e_fail "${3:+$3: }the running source reports $(tail -1 "$E2E_TMP/watch.log"), not $1"
}

# start_mirevo BACKEND [ARGS...]: the real program on this display; `file` reads set_source.
start_mirevo() {
  local backend=$1
  [ "$backend" != file ] || backend=file:$E2E_SOURCE
  "$MIREVO" --input-backend "$backend" "${@:2}" >>"$E2E_TMP/mirevo.log" 2>&1 &
  E2E_PIDS+=($!)
}

# expect_pixel X Y RRGGBB TOLERANCE WHAT [MS]: the pixel turns that colour in MS (10000) ms.
expect_pixel() {
  "$MIREVO_TOOLS/screen-probe" wait "$1" "$2" "$3" "$4" "${6:-10000}" >/dev/null ||
    e2e_fail "$5: ($1, $2) is $("$MIREVO_TOOLS/screen-probe" pixel "$1" "$2"), not #$3"
}

# expect_badge RRGGBB LANGUAGE: the default badge's disc, left of its text, on 1280x800.
expect_badge() { expect_pixel 46 598 "$1" 24 "the badge does not show $2"; }

# screen_moves [X Y W H]: the screen (or that part) changes within 3 s, as the clock ticks.
screen_moves() {
  "$MIREVO_TOOLS/screen-probe" png "$E2E_TMP/before.png" "$@"
  wait_until 3 screen_differs "$@"
}
screen_differs() {
  "$MIREVO_TOOLS/screen-probe" png "$E2E_TMP/now.png" "$@" && ! cmp -s "$E2E_TMP"/{before,now}.png
}

# e2e_spawn CMD...: runs CMD in the background, stopped at exit.
e2e_spawn() {
  "$@" >>"$E2E_TMP/spawned.log" 2>&1 &
  E2E_PIDS+=($!)
}

# start_session_bus [VARIABLE]: a private bus, its address in VARIABLE (the session bus's).
start_session_bus() {
  local bus
  bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 --nopidfile)
  export "${1:-DBUS_SESSION_BUS_ADDRESS}=$(sed -n 1p <<<"$bus")"
  E2E_PIDS+=("$(sed -n 2p <<<"$bus")")
}

# e2e_start_desktop [WIDTHxHEIGHT]: X server (1920x1080 unless given), bus and openbox.
e2e_start_desktop() {
  start_xvfb "${1:-1920x1080}"
  start_session_bus
  start_openbox
}
start_openbox() {
  e2e_spawn openbox --sm-disable
  wait_until 10 window_manager_runs || e2e_fail "openbox did not start"
}
window_manager_runs() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

# xcompmgr, for translucent windows, and a tray host (for the demo).
e2e_start_compositor() {
  e2e_spawn xcompmgr -n
  # It names the window it takes the _NET_WM_CM_S0 selection with.
  wait_until 10 xprop -name xcompmgr WM_NAME || e2e_fail "xcompmgr did not start"
}

e2e_start_tray() {
  e2e_spawn trayer --edge bottom --align right --width 10 --height 24
  sleep 0.5
}

# sized_window W H: "X Y ID" of a visible W x H window of Mirevo (its top-left corner);
# expect_window W H X Y waits for one at (X, Y).
sized_window() {
  local id
  for id in $(xdotool search --onlyvisible --classname mirevo); do
    xwininfo -id "$id" | awk -v id="$id" -v w="$1" -v h="$2" '/Absolute upper-left X/ { x = $NF }
      /Absolute upper-left Y/ { y = $NF } /Width:/ { ww = $NF } /Height:/ { hh = $NF }
      END { if (ww == w && hh == h) print x, y, id; exit ww != w || hh != h }' && return
  done
  return 1
}
window_at() { [[ $(sized_window "$1" "$2") == "$3 $4 "* ]]; }
expect_window() {
  wait_until 60 window_at "$@" || e2e_fail "no $1x$2 window of Mirevo at ($3, $4): $(sized_window "$1" "$2")"
}

# settings_open: prints the mapped settings window, if any.
settings_open() { xdotool search --onlyvisible --name '^Mirevo Settings$'; }

# session_pids NAME: the processes of that name started in this session, not other tests'.
session_pids() {
  local pid
  for pid in $(pgrep -x "$1"); do
    ! grep -qxz "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" "/proc/$pid/environ" 2>/dev/null || echo "$pid"
  done
}
# How many Mirevo processes run on this desktop.
e2e_instances() { session_pids mirevo | wc -l; }

# mirevo_call METHOD ARGS...: a call to the running Mirevo; mirevo_current: its source;
# mirevo_up: it took its bus name; expect_current ID WHAT: it shows ID within 5 s.
mirevo_call() {
  gdbus call --session --dest io.github.mirevo.Mirevo --object-path /io/github/mirevo/Mirevo \
    --method "$@"
}
mirevo_current() {
  mirevo_call org.freedesktop.DBus.Properties.Get io.github.mirevo.Mirevo1 CurrentSourceId 2>/dev/null |
    sed -n "s/^(<'\(.*\)'>,)$/\1/p"
}
mirevo_up() { wait_until 20 bus_has_owner io.github.mirevo.Mirevo || e2e_fail "Mirevo did not start"; }
current_is() { [ "$(mirevo_current)" = "$1" ]; }
expect_current() {
  wait_until 5 current_is "$1" || e2e_fail "${2:+$2: }Mirevo shows $(mirevo_current), not $1$(
    [ ! -s "$E2E_TMP/watch.log" ] || printf '; the watcher saw:\n%s' "$(cat "$E2E_TMP/watch.log")")"
}
# write_settings JQ_FILTER [JQ_ARGS...]: the defaults, edited, as the settings file.
write_settings() {
  mkdir -p "$XDG_CONFIG_HOME/Mirevo"
  "$MIREVO_TOOLS/settings-defaults" | jq "${@:2}" "$1" >"$XDG_CONFIG_HOME/Mirevo/app_settings.json"
}
# open_window NAME [password]: a GTK window with a text (or password) field that types
# through IBus, or through the GTK input module WINDOW_IM_MODULE.
open_window() {
  e2e_spawn env GTK_IM_MODULE="${WINDOW_IM_MODULE:-ibus}" \
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/entry_window.py" "$@"
  wait_until 20 xdotool search --name "^$1\$" || e2e_fail "no window $1"
}
# focus_window NAME: the window manager (the shell, openbox) focuses that window.
focus_window() {
  xdotool search --name "^$1\$" windowactivate
  wanted=$1
  wait_until 5 eval '[ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$wanted" ]' ||
    e2e_fail "the window manager did not focus $1"
}

# ibus_typing_session: 1920x1080, openbox, ibus-daemon, Mirevo on ibus and a focused GTK
# window A that types through IBus, as the engines' modes need.
ibus_typing_session() {
  E2E_DETACHED+=(mozc_server) # started by ibus-mozc, it outlives the engine
  start_xvfb 1920x1080
  # Keys of their own: xdotool would map a spare key per press, and back before it is read.
  xmodmap -e "keycode 130 = Hangul" -e "keycode 131 = Zenkaku_Hankaku"
  start_openbox
  start_ibus
  start_mirevo ibus
  mirevo_up
  open_window A
  focus_window A
  # The engines' own reports, for toggle_mode: what a panel would show.
  e2e_spawn dbus-monitor --address "$(ibus address)" \
    "type='signal',interface='org.freedesktop.IBus.Engine',member='UpdateProperty'"
}
# press_until KEY COMMAND...: KEY pressed (XTEST) until COMMAND succeeds, pressed again once:
# under load a freshly started engine has been seen to miss a press.
press_until() {
  xdotool key "$1"
  wait_until 3 "${@:2}" || { xdotool key "$1" && wait_until 5 "${@:2}"; }
}
# toggle_mode KEY: KEY pressed until the engine reports another InputMode.
engine_modes() { grep -c '^ *string "InputMode"$' "$E2E_TMP/spawned.log" || true; }
modes_beyond() { [ "$(engine_modes)" -gt "$1" ]; }
toggle_mode() { press_until "$1" modes_beyond "$(engine_modes)" || e2e_fail "the engine ignored $1"; }
