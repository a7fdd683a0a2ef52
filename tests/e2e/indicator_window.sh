#!/usr/bin/env bash
# The floating indicator on a real X desktop: placed at the stored default, cut to its
# disc without a compositor, blended with one, and recoloured after an input switch.
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

    echo "ibus.inputmethod.anthy.Japanese" >"$source"
    local ms
    ms=$("$probe" wait 46 878 "$japanese" 20 3000) || fail "japanese disc: $("$probe" pixel 46 878)"
    echo "compositor=$compositor: new colour $("$probe" pixel 46 878) after ${ms} ms"
}

# Without a compositor the translucent fill shows as its premultiplied colour.
(run_case no 0000b3 b30000)
# With one it is blended over the grey background.
(run_case yes 2626d9 d92626)
