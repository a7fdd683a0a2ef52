# Session helpers for end-to-end scripts: a private X server, a private session bus and
# input-method daemons, all stopped by process id on exit. Source this file, then call
# e2e_init, and use the start_* functions; cleanup runs from an EXIT trap.
#
# Variables set: E2E_TMP (private temp folder, also HOME and XDG_*), DISPLAY, E2E_PIDS
# (everything started here). Expected from the caller: MIREVO (the program) and
# MIREVO_TOOLS (the folder of the test helpers).

E2E_PIDS=()

e2e_log() { echo "[$(date +%H:%M:%S.%N | cut -c1-12)] $*" >&2; }

e2e_fail() {
  e2e_log "FAIL: $*"
  exit 1
}

# kill_tree PID: stops PID and the helpers it started (IBus engines, ibus-x11, ...).
kill_tree() {
  local children
  children=$(pgrep -P "$1" 2>/dev/null || true)
  kill "$1" 2>/dev/null || true
  [ -n "$children" ] && kill $children 2>/dev/null || true
}

e2e_cleanup() {
  local status=$? pid i
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
    kill_tree "${E2E_PIDS[i]}"
  done
  for pid in "${E2E_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  # Helpers may still be writing their caches for a moment.
  if [ -n "${E2E_TMP:-}" ]; then
    rm -rf "$E2E_TMP" 2>/dev/null || { sleep 0.3; rm -rf "$E2E_TMP" 2>/dev/null || true; }
  fi
  exit $status
}

# A private HOME and XDG folders, so nothing touches the user's configuration.
e2e_init() {
  E2E_TMP=$(mktemp -d /tmp/mirevo-e2e.XXXXXX)
  export HOME=$E2E_TMP/home XDG_CONFIG_HOME=$E2E_TMP/home/.config
  export XDG_DATA_HOME=$E2E_TMP/home/.local/share XDG_CACHE_HOME=$E2E_TMP/home/.cache
  export XDG_RUNTIME_DIR=$E2E_TMP/runtime
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  unset IBUS_ADDRESS IBUS_ADDRESS_FILE GTK_IM_MODULE QT_IM_MODULE XMODIFIERS INPUT_METHOD
  unset WAYLAND_DISPLAY XDG_SESSION_TYPE XDG_CURRENT_DESKTOP QT_QPA_PLATFORM
  # Keep the GTK helpers of the daemons from starting accessibility and dconf services.
  export NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory
  export LANG=C.UTF-8 LC_ALL=C.UTF-8
  trap e2e_cleanup EXIT
}

# wait_until SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds.
wait_until() {
  local limit=$1
  shift
  local deadline=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.05
  done
}

# Xvfb on a free display number of its own choosing; -noreset keeps XKB settings alive
# when the last client leaves.
# start_xvfb [WIDTHxHEIGHT]: 1280x800 unless given.
start_xvfb() {
  local fifo=$E2E_TMP/displayfd size=${1:-1280x800}
  rm -f "$fifo"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "${size}x24" 3>"$fifo" 2>"$E2E_TMP/xvfb.log" &
  E2E_PIDS+=($!)
  local number
  read -r -t 10 number <"$fifo" || e2e_fail "Xvfb did not start"
  export DISPLAY=:$number
  e2e_log "Xvfb on $DISPLAY (pid ${E2E_PIDS[-1]})"
}

# Runs the calling script again inside a private session bus; dbus-run-session stops the
# bus when the script ends. Call first, as: e2e_enter_session "$0" "$@"
e2e_enter_session() {
  if [ -z "${MIREVO_E2E_SESSION:-}" ]; then
    MIREVO_E2E_SESSION=1 exec dbus-run-session -- bash "$@"
  fi
}

# The real dconf-service, started here so that it writes under the private HOME (the bus
# would start it with the environment the bus itself was started with). GSettings in this
# shell and its children then uses dconf.
start_dconf() {
  export GSETTINGS_BACKEND=dconf
  /usr/libexec/dconf-service >"$E2E_TMP/dconf.log" 2>&1 &
  E2E_PIDS+=($!)
  wait_until 5 bus_has_owner ca.desrt.dconf || e2e_fail "dconf-service did not start"
}

bus_has_owner() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}

# IBus without panel or emoji helpers, with an in-memory configuration.
start_ibus() {
  ibus-daemon --xim --panel=disable --emoji-extension=disable \
    --config=/usr/libexec/ibus-memconf --replace >"$E2E_TMP/ibus.log" 2>&1 &
  IBUS_PID=$!
  E2E_PIDS+=($IBUS_PID)
  wait_until 10 ibus_address_ready || e2e_fail "ibus-daemon did not start"
  e2e_log "ibus-daemon pid $IBUS_PID"
}

# The daemon owns its session-bus name before clients can reach its private bus.
ibus_address_ready() {
  bus_has_owner org.freedesktop.IBus &&
    ! ibus engine 2>&1 | grep -q -e "Not connected" -e "IBUS_IS_BUS"
}

stop_ibus() {
  kill_tree "$IBUS_PID"
  wait "$IBUS_PID" 2>/dev/null || true
}

# ibus engine NAME: exits 1 for engines with layout "default" although the switch worked.
ibus_switch() {
  ibus engine "$1" >/dev/null 2>&1 || true
  [ "$(ibus engine 2>/dev/null)" = "$1" ] || e2e_fail "ibus did not switch to $1"
}

# fcitx5 with one group of the given input methods (first one is the default).
start_fcitx5() {
  local dir=$XDG_CONFIG_HOME/fcitx5 i=0 im
  mkdir -p "$dir"
  {
    echo "[Groups/0]"
    echo "Name=Default"
    echo "Default Layout=us"
    echo "DefaultIM=$1"
    for im in "$@"; do
      echo
      echo "[Groups/0/Items/$i]"
      echo "Name=$im"
      echo "Layout="
      i=$((i + 1))
    done
    echo
    echo "[GroupOrder]"
    echo "0=Default"
  } >"$dir/profile"
  fcitx5 --disable=all --enable=dbus,dbusfrontend,keyboard,xcb,hangul \
    >"$E2E_TMP/fcitx5.log" 2>&1 &
  FCITX5_PID=$!
  E2E_PIDS+=($FCITX5_PID)
  wait_until 10 bus_has_owner org.fcitx.Fcitx5 || e2e_fail "fcitx5 did not take its bus name"
  e2e_log "fcitx5 pid $FCITX5_PID"
}

# A client with a focused input context, which fcitx5 needs before it switches methods.
start_fcitx5_client() {
  "$MIREVO_TOOLS/fcitx5_focus_client" >"$E2E_TMP/focus-client.log" 2>&1 &
  E2E_PIDS+=($!)
  wait_until 10 grep -q focused "$E2E_TMP/focus-client.log" || e2e_fail "no fcitx5 input context"
}

# expect_source BACKEND LANGUAGE [BACKEND_NAME]: mirevo --print-source must report LANGUAGE
# (retrying for a second, since daemons apply switches asynchronously). BACKEND_NAME may
# leave out the reason given in parentheses after the name.
expect_source() {
  local backend=$1 language=$2 name=${3:-$1} line got deadline=$((SECONDS + 3))
  while :; do
    line=$("$MIREVO" --print-source --input-backend "$backend" 2>&1) || true
    got=$(echo "$line" | cut -f3)
    [ "$(echo "$line" | cut -f2)" = "$language" ] && [[ "$got" = "$name" || "${got%% (*}" = "$name" ]] &&
      break
    [ $SECONDS -ge $deadline ] && e2e_fail "expected $language from $name, got: $line"
    sleep 0.1
  done
  e2e_log "ok: $line"
}

# The real program on this display with BACKEND; its floating badge shows each switch.
start_mirevo() {
  "$MIREVO" --input-backend "$1" >"$E2E_TMP/mirevo.log" 2>&1 &
  E2E_PIDS+=($!)
}

# expect_badge RRGGBB LANGUAGE: the badge's disc, left of its text, turns RRGGBB within
# two seconds. The default badge's top-left is (24, 548) on the 1280x800 screen; without a
# compositor its 70 % fill shows as 70 % of the language's colour on black.
expect_badge() {
  local probe=$MIREVO_TOOLS/screen-probe
  "$probe" wait 46 598 "$1" 24 2000 >/dev/null ||
    e2e_fail "the badge shows $("$probe" pixel 46 598), not $2 ($1)"
  e2e_log "ok: the badge shows $2"
}
