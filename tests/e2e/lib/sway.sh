# sway nested on the script's Xvfb (its output window at the top-left, read by screen-probe).
# sway refuses root: as root it runs as nobody, in folders nobody owns. Its XWayland admits
# this script's user.

# prepare_sway: the configuration (us,ru layouts, a 1280x800 output), and SWAYSOCK at a fixed
# path, where a restarted sway comes back (sway takes SWAYSOCK when no file is there).
prepare_sway() {
  SWAY_DIR=$E2E_TMP/sway
  mkdir -p "$SWAY_DIR/home" "$SWAY_DIR/runtime"
  chmod 700 "$SWAY_DIR/runtime"
  chmod 711 "$E2E_TMP"
  export SWAYSOCK=$SWAY_DIR/runtime/ipc.sock
  cat >"$SWAY_DIR/config" <<EOF
xwayland force
output * mode 1280x800
input * xkb_layout us,ru
exec sh -c 'xhost +si:localuser:$(id -un) && echo \$DISPLAY >$SWAY_DIR/home/display.tmp && mv $SWAY_DIR/home/display.tmp $SWAY_DIR/home/display'
EOF
  [ "$(id -u)" -ne 0 ] || chown -R nobody: "$SWAY_DIR"
}

start_sway() {
  local as_user=()
  [ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  rm -f "$SWAY_DIR/home/display"
  env -i PATH="$PATH" HOME="$SWAY_DIR/home" XDG_RUNTIME_DIR="$SWAY_DIR/runtime" DISPLAY="$DISPLAY" \
    SWAYSOCK="$SWAYSOCK" WLR_BACKENDS=x11 WLR_RENDERER=pixman \
    "${as_user[@]}" sway -c "$SWAY_DIR/config" >>"$E2E_TMP/sway.log" 2>&1 &
  SWAY_PID=$!
  E2E_PIDS+=($SWAY_PID)
}

# sway_ready: sway answers and its XWayland admits us; sets SWAY_DISPLAY (its XWayland).
sway_ready() {
  wait_until 60 test -s "$SWAY_DIR/home/display" || e2e_fail "sway did not start: $(tail -5 "$E2E_TMP/sway.log")"
  SWAY_DISPLAY=$(cat "$SWAY_DIR/home/display")
  wait_until 20 swaymsg -t get_version || e2e_fail "sway does not answer at $SWAYSOCK"
}

# stop_sway: sway ends (a busy sway may miss its first SIGTERM), and XWayland with it.
sway_gone() { ! running "$SWAY_PID"; }
stop_sway() {
  kill_tree "$SWAY_PID"
  wait_until 5 sway_gone || kill -TERM "$SWAY_PID" 2>/dev/null || true
  wait_until 5 sway_gone || kill -KILL "$SWAY_PID" 2>/dev/null || true
  wait "$SWAY_PID" 2>/dev/null || true
}

# sway_layout: the name of the layout sway's keyboard has now ("Russian").
sway_layout() { swaymsg -t get_inputs -r | jq -r '[.[] | select(.type == "keyboard")][0].xkb_active_layout_name'; }
