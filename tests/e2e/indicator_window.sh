#!/usr/bin/env bash
# The indicator at its stored default, cut to its disc without a compositor, blended with
# one (also one starting or stopping), and kept on screen when its monitor goes.
set -euo pipefail
source "$(dirname "$0")/lib/desktop.sh"

# Default settings on 1920x1080: a 100x100 window at (24, 828); (25, 829) is outside the disc.
run_case() {
    local compositor=$1
    e2e_init # each case runs in a subshell with a desktop of its own
    e2e_start_desktop 1920x1080
    xsetroot -solid '#808080'
    [[ $compositor == no ]] || e2e_start_compositor
    start_mirevo file
    expect_window 100 100 24 828
    expect_pixel 46 878 "$2" 20 "no English disc"
    expect_pixel 25 829 808080 0 "the corner is not the desktop"
    if [[ $compositor == no ]]; then
        # A compositor that starts and then stops while the program runs: the glow beside
        # the disc shows, then the badge's and the clock's corners show the desktop again.
        e2e_start_compositor
        expect_pixel 31 878 787888 3 "no glow" 3000
        kill "${E2E_PIDS[-1]}"
        for corner in "25 829" "31 878" "1600 550"; do
            expect_pixel $corner 808080 0 "corner $corner after the compositor left" 3000
        done
    fi
}
# Without a compositor the disc is opaque; with one its translucent fill blends with grey.
(run_case no 0000ff)
(run_case yes 2626d9)

# Two monitors, the badge on the second: it moves to the primary while that one is gone.
monitor_case() {
    e2e_init
    e2e_start_desktop 3840x1080
    xrandr --setmonitor '*left' 1920/508x1080/286+0+0 screen
    xrandr --setmonitor right 1920/508x1080/286+1920+0 none
    write_settings '.imeIndicator.displayIndex = 1'
    start_mirevo file
    expect_window 100 100 1944 828
    expect_pixel 1966 878 0000ff 20 "no badge on the second monitor"
    xrandr --delmonitor right
    expect_pixel 46 878 0000ff 20 "the badge did not come to the primary" 3000
    xrandr --setmonitor right 1920/508x1080/286+1920+0 none
    expect_pixel 1966 878 0000ff 20 "the badge did not go back" 3000
}
(monitor_case)
