#!/usr/bin/env bash
# A stopped ibus-daemon, at start-up and at a reconnect, never freezes Mirevo: the clock
# ticks and a second start opens the settings; once it runs again the badge turns Korean.
set -euo pipefail
source "$(dirname "$0")/lib/desktop.sh"

e2e_start_desktop 1280x800
start_ibus
ibus_switch hangul
kill -STOP "$IBUS_PID"
start_mirevo ibus
expect_window 320 220 960 270 # the clock, kept in view at the right edge
screen_moves || e2e_fail "the screen froze while ibus-daemon was stopped"
timeout 60 "$MIREVO" --input-backend ibus || e2e_fail "the second start failed: $?"
# The start is answered before the window opens, which may take a while on a busy machine.
wait_until 30 settings_open || e2e_fail "the settings window did not open while ibus-daemon was stopped"
# Clear of the clock at the right edge, whose second hand shows the event loop running.
xdotool search --onlyvisible --name "Mirevo Settings" windowmove --sync 0 0
screen_moves || e2e_fail "the screen froze with the settings window open"
xdotool search --onlyvisible --name "Mirevo Settings" windowunmap

kill -CONT "$IBUS_PID"
expect_pixel 46 598 990099 24 "no Korean once the daemon ran again" 20000

# A restarted daemon that stops at once: Mirevo's reconnect finds it stopped.
stop_ibus
start_ibus
kill -STOP "$IBUS_PID"
screen_moves || e2e_fail "the screen froze while reconnecting to a stopped daemon"
