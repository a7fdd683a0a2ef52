#!/usr/bin/env bash
# The floating indicator on a real X desktop: placed at the stored default, cut to its
# disc without a compositor, blended with one (also when one starts or stops while the
# program runs), recoloured after an input switch, and kept on screen when its monitor
# goes.
set -euo pipefail
build=$1
source "$(dirname "$0")/lib/desktop.sh"
probe=$build/tools/screen-probe

fail() {
    echo "FAIL: $*" >&2
    "$probe" png "$E2E_TMP/../mirevo-indicator-failure.png" || true
    exit 1
}

# Default settings on 1920x1080: a 100x100 window whose top-left is (24, 828); the disc
# colour is sampled left of the glyph, the corner lies outside the disc.
run_case() {
    local compositor=$1 english=$2 japanese=$3
    e2e_init # each case runs in a subshell with a desktop of its own
    e2e_start_desktop 1920x1080
    xsetroot -solid '#808080'
    [[ $compositor == yes ]] && e2e_start_compositor
    local source="$E2E_TMP/source"
    echo "xkb.keylayout.us.English (US)" >"$source"
    e2e_spawn "$build/mirevo" --input-backend "file:$source"
    e2e_wait_for_window mirevo 10 || fail "no indicator window"

    # The pointer badge is a window of the program too: pick the 100-point badge.
    local id candidate
    for candidate in $(xdotool search --onlyvisible --classname mirevo); do
        xwininfo -id "$candidate" | grep -q 'Width: 100$' && id=$candidate
    done
    [[ -n ${id:-} ]] || fail "no 100x100 indicator window"
    xwininfo -id "$id" | grep -q 'Absolute upper-left X:  24' || fail "window x"
    xwininfo -id "$id" | grep -q 'Absolute upper-left Y:  828' || fail "window y"
    "$probe" wait 46 878 "$english" 20 3000 >/dev/null || fail "english disc: $("$probe" pixel 46 878)"
    [[ $("$probe" pixel 25 829) == "#808080" ]] || fail "corner: $("$probe" pixel 25 829)"
    if [[ $compositor == no ]]; then
        # A compositor that starts and then stops while the program runs: the glow beside
        # the disc shows, then the badge's and the clock's corners show the desktop again.
        e2e_start_compositor
        "$probe" wait 31 878 787888 3 3000 >/dev/null || fail "no glow: $("$probe" pixel 31 878)"
        kill "${E2E_PIDS[-1]}"
        for corner in "25 829" "31 878" "1600 550"; do
            "$probe" wait $corner 808080 0 3000 >/dev/null ||
                fail "corner $corner after the compositor left: $("$probe" pixel $corner)"
        done
    fi

    echo "ibus.inputmethod.anthy.Japanese" >"$source"
    local ms
    ms=$("$probe" wait 46 878 "$japanese" 20 3000) || fail "japanese disc: $("$probe" pixel 46 878)"
    echo "compositor=$compositor: new colour $("$probe" pixel 46 878) after ${ms} ms"
}

# Without a compositor the translucent fill shows as its premultiplied colour.
(run_case no 0000b3 b30000)
# With one it is blended over the grey background.
(run_case yes 2626d9 d92626)

# Two monitors side by side, the badge on the second: when that monitor goes, the badge
# is shown on the primary one; when it comes back, so does the badge.
monitor_case() {
    e2e_init
    e2e_start_desktop 3840x1080
    xrandr --setmonitor '*left' 1920/508x1080/286+0+0 screen
    xrandr --setmonitor right 1920/508x1080/286+1920+0 none
    mkdir -p "$XDG_CONFIG_HOME/Mirevo"
    "$build/tools/settings-defaults" | jq '.imeIndicator.displayIndex = 1' \
        >"$XDG_CONFIG_HOME/Mirevo/app_settings.json"
    echo "xkb.keylayout.us.English (US)" >"$E2E_TMP/source"
    e2e_spawn "$build/mirevo" --input-backend "file:$E2E_TMP/source"
    "$probe" wait 1966 878 0000b3 20 10000 >/dev/null || fail "no badge on the second monitor"
    xrandr --delmonitor right
    "$probe" wait 46 878 0000b3 20 3000 >/dev/null || fail "the badge did not come to the primary"
    xrandr --setmonitor right 1920/508x1080/286+1920+0 none
    "$probe" wait 1966 878 0000b3 20 3000 >/dev/null || fail "the badge did not go back"
}
(monitor_case)
