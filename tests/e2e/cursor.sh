#!/usr/bin/env bash
# The pointer badge follows relative moves (raw motion) and warps (the timer), lets clicks
# through, is cut to its circle without a compositor, blends with one, and recolours.
set -euo pipefail
source "$(dirname "$0")/lib/desktop.sh"
e2e_start_desktop 1024x768
settings=$XDG_CONFIG_HOME/Mirevo/app_settings.json
mkdir -p "$(dirname "$settings")"

# A white window under the badge that logs the clicks it gets.
e2e_spawn xev -geometry 400x300+200+200 -event button
expect_pixel 400 350 ffffff 0 "no window under the badge" 20000

# --- Without a compositor; the badge (20 px) centred on the pointer. --------------------
"$MIREVO_TOOLS/settings-defaults" |
    jq '.mouseCursorIndicator.offsetX = -10 | .mouseCursorIndicator.offsetY = -10' >"$settings"
xdotool mousemove 400 350
start_mirevo file
# English is blue by default: the disc left of the "A".
expect_pixel 395 350 0000bf 40 "the badge did not appear around the pointer" 20000
# The window is cut to the circle: its corner shows the window below, not black ...
expect_pixel 391 341 ffffff 0 "the badge's corner is not cut away without a compositor"
# ... and so is its glow around the disc, which would show as a dark ring.
expect_pixel 390 350 ffffff 0 "a dark ring around the badge without a compositor"

xdotool click 1
wait_until 20 grep -qF "root:(400,350)" "$E2E_TMP/spawned.log" ||
    e2e_fail "the click did not reach the window below the badge"

# Relative moves produce raw motion; warps only the timer sees.
xdotool mousemove_relative -- 60 40
expect_pixel 455 390 0000bf 40 "the badge did not follow a relative move"
expect_pixel 395 350 ffffff 0 "the badge left a trace at its old place"
xdotool mousemove 300 250
expect_pixel 295 250 0000bf 40 "the badge did not follow a warp"

# A switch to Korean turns the badge purple (the IME indicator's Korean colour).
set_source "ibus.inputmethod.hangul.Korean"
expect_pixel 295 250 730073 40 "the badge did not take the Korean colour"
kill "${E2E_PIDS[-1]}"
wait "${E2E_PIDS[-1]}" 2>/dev/null || true

# --- With a compositor; default settings: 16 right of and 8 below the pointer. ----------
rm "$settings"
set_source "xkb.keylayout.us.English (US)"
e2e_start_compositor
xdotool mousemove 500 400
start_mirevo file
expect_pixel 521 418 0000bf 60 "the badge is not 16 right of and 8 below the pointer" 20000
# Translucent where a compositor runs: the glow blends with the white below.
pixel=$("$MIREVO_TOOLS/screen-probe" pixel 517 418)
((16#${pixel:1:2} > 40 && 16#${pixel:5:2} > 16#${pixel:1:2})) ||
    e2e_fail "the glow does not blend with the window below: $pixel"
expect_pixel 516 408 ffffff 0 "the badge's transparent corner is not see-through"
