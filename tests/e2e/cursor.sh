#!/usr/bin/env bash
# The pointer badge follows relative moves (raw motion) and nothing else, lets clicks
# through, recolours, and is see-through around its disc with a compositor.
set -euo pipefail
source "$(dirname "$0")/lib/desktop.sh"
e2e_start_desktop 1024x768

# A white window under the badge that logs the clicks it gets.
e2e_spawn xev -geometry 400x300+200+200 -event button
expect_pixel 400 350 ffffff 0 "no window under the badge" 20000

# --- Without a compositor; the badge (20 px) centred on the pointer. --------------------
write_settings '.mouseCursorIndicator.offsetX = -10 | .mouseCursorIndicator.offsetY = -10'
xdotool mousemove 400 350
start_mirevo file
# English is blue by default: the disc left of the "A".
expect_pixel 395 350 0000ff 40 "the badge did not appear around the pointer" 20000

xdotool click 1
wait_until 20 grep -qF "root:(400,350)" "$E2E_TMP/spawned.log" ||
    e2e_fail "the click did not reach the window below the badge"

# Relative moves produce raw motion, which the badge follows. A warp produces none and
# nothing asks where the pointer is in between: the badge waits for the next movement.
xdotool mousemove_relative -- 60 40
expect_pixel 455 390 0000ff 40 "the badge did not follow a relative move"
expect_pixel 395 350 ffffff 0 "the badge left a trace at its old place"
xdotool mousemove 300 250
sleep 0.3 # six turns of a 20 Hz pointer query
expect_pixel 455 390 0000ff 40 "the badge moved without a movement to follow" 0
xdotool mousemove_relative -- 5 5
expect_pixel 300 255 0000ff 40 "the badge did not follow a relative move after a warp"

# Korean turns the badge purple.
set_source "ibus.inputmethod.hangul.Korean"
expect_pixel 300 255 990099 40 "the badge did not take the Korean colour"
stop_pid "${E2E_PIDS[-1]}"

# --- With a compositor; default settings: 16 right of and 8 below the pointer. ----------
rm "$XDG_CONFIG_HOME/Mirevo/app_settings.json"
set_source "xkb.keylayout.us.English (US)"
e2e_start_compositor
xdotool mousemove 500 400
start_mirevo file
expect_pixel 521 418 0000bf 60 "the badge is not 16 right of and 8 below the pointer" 20000
expect_pixel 516 408 ffffff 0 "the badge's transparent corner is not see-through"
