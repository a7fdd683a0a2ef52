#!/usr/bin/env bash
# The default clock (its offset meant for a wider desktop) is shown wholly in view at the
# right edge, turns from blue to red-orange for Japanese input, and ticks.
set -euo pipefail
source "$(dirname "$0")/lib/desktop.sh"
e2e_start_desktop 1920x1080
start_mirevo file

# The default clock, 320x220, kept in view: its Qt rectangle is (1600, 550) to (1920, 770).
# The background is 60% opaque; without a compositor the window shows it over black.
expect_window 320 220 1600 550
for corner in "1612 560" "1908 560" "1612 758" "1908 758"; do
    expect_pixel $corner 005a99 6 "no blue clock background at $corner"
done
set_source "ibus.inputmethod.anthy.Japanese"
expect_pixel 1612 560 991700 6 "the background did not turn red-orange" 20000

# The second hand redraws the face every second; on a busy machine a tick may come late,
# so any of a few 3 s looks may see it.
wait_until 30 screen_moves 1600 550 320 220 || e2e_fail "the clock stands still"
