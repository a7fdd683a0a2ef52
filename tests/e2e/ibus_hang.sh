#!/usr/bin/env bash
# A hung input-method daemon never freezes Mirevo: with ibus-daemon stopped (SIGSTOP) while
# Mirevo connects to it, at start-up and again when it reconnects to a restarted daemon,
# the clock keeps ticking on screen and a second `mirevo` still opens the settings window.
# Once the daemon runs again, a later attempt connects and the badge turns Korean.
set -euo pipefail
build=${1:?build folder}
source "$(dirname "$0")/lib/desktop.sh"
export MIREVO=$build/mirevo MIREVO_TOOLS=$build/tools
probe=$MIREVO_TOOLS/screen-probe
fail() {
  "$probe" png /tmp/mirevo-ibus-hang-failure.png || true
  kill -CONT "${IBUS_PID:-0}" 2>/dev/null || true
  e2e_fail "$@"
}

# The clock's second hand redraws part of the screen every second.
screen_moves() {
  "$probe" png "$E2E_TMP/before.png"
  sleep 1.5
  "$probe" png "$E2E_TMP/after.png"
  ! cmp -s "$E2E_TMP/before.png" "$E2E_TMP/after.png"
}

e2e_start_desktop 1280x800
start_ibus
ibus_switch hangul
kill -STOP "$IBUS_PID"
e2e_spawn "$MIREVO" --input-backend ibus
sleep 2
screen_moves || fail "the screen froze while ibus-daemon was stopped"
timeout 10 "$MIREVO" --input-backend ibus || fail "the second start failed: $?"
wait_until 5 xdotool search --onlyvisible --name "Mirevo Settings" ||
  fail "the settings window did not open while ibus-daemon was stopped"
# Clear of the clock at the right edge, whose second hand shows the event loop running.
xdotool search --onlyvisible --name "Mirevo Settings" windowmove --sync 0 0
screen_moves || fail "the screen froze with the settings window open"
e2e_log "ok: the clock ticked and the settings window opened with ibus-daemon stopped"
xdotool search --onlyvisible --name "Mirevo Settings" windowunmap

kill -CONT "$IBUS_PID"
"$probe" wait 46 598 6b006b 24 20000 >/dev/null || fail "no Korean once the daemon ran again"
e2e_log "ok: connected to the resumed daemon"

# A restarted daemon that stops at once: Mirevo's reconnect finds it stopped.
stop_ibus
start_ibus
kill -STOP "$IBUS_PID"
screen_moves || fail "the screen froze while reconnecting to a stopped daemon"
kill -CONT "$IBUS_PID"
e2e_log "ok: the clock ticked through the reconnect"
