#!/usr/bin/env bash
# The badges' rims as a viewer sees them, without a compositor (the window cut to the disc,
# every pixel in it opaque), with one starting, and after it stops: no pixel inside the
# window's shape is darker than both the desktop and the badge's colour. The floating
# badge and the pointer badge at 10, 20 and 100 pixels; no text, so only the disc shows.
set -euo pipefail
source "$(dirname "$0")/lib/desktop.sh"

desktop=c0c0c0
badge=4080ff
settings=$XDG_CONFIG_HOME/Mirevo/app_settings.json
mkdir -p "$(dirname "$settings")"
e2e_start_desktop 1024x768
xsetroot -solid "#$desktop"

# window_near X Y: the visible window of Mirevo's whose top-left corner is (X, Y).
window_near() {
    local id
    for id in $(xdotool search --onlyvisible --classname mirevo); do
        xwininfo -id "$id" | awk -v x="$1" -v y="$2" '/Absolute upper-left X/ { wx = $NF }
            /Absolute upper-left Y/ { wy = $NF } END { exit !(wx == x && wy == y) }' &&
            echo "$id" && return
    done
    return 1
}

# The desktop as shown: a compositor paints its own background where no root pixmap is set.
shown_desktop() { "$MIREVO_TOOLS/screen-probe" pixel 1000 700 | tr -d '#'; }

# rim_is_clean WINDOW CUT: the window is cut to its disc (CUT=yes) or shown whole (no), and
# no pixel inside its shape is darker than both the desktop and the badge's colour.
rim_is_clean() {
    local report inside
    report=$("$MIREVO_TOOLS/screen-probe" dark "$1" "$(shown_desktop)" "$badge") || return 1
    inside=$(awk 'END { print $3 }' <<<"$report")
    if [[ $2 == yes ]]; then ((inside < size * size)); else ((inside == size * size)); fi
}
expect_clean_rim() {
    wait_until 5 rim_is_clean "$2" "$3" ||
        e2e_fail "$1: $("$MIREVO_TOOLS/screen-probe" dark "$2" "$(shown_desktop)" "$badge")"
}

for size in 10 20 100; do
    # The floating badge's top-left at (100, 100); the pointer badge's 40 px right of and
    # below the pointer at (500, 400), clear of the pointer's own image.
    "$MIREVO_TOOLS/settings-defaults" | jq --argjson s "$size" '
        .clock.isVisible = false
        | .imeIndicator.indicatorSize = $s | .imeIndicator.englishText = ""
        | .imeIndicator.englishColor = {red: 0.25, green: 0.5, blue: 1, alpha: 1}
        | .imeIndicator.positionX = 100 | .imeIndicator.positionY = 768 - 100 - $s
        | .mouseCursorIndicator.size = $s
        | .mouseCursorIndicator.offsetX = 40 | .mouseCursorIndicator.offsetY = 40' >"$settings"
    xdotool mousemove 500 400
    start_mirevo file
    mirevo_pid=${E2E_PIDS[-1]}
    half=$((size / 2))
    expect_pixel $((100 + half)) $((100 + half)) "$badge" 80 "no ${size} px badge" 20000
    expect_pixel $((540 + half)) $((440 + half)) "$badge" 80 "no ${size} px pointer badge"
    badge_window=$(window_near 100 100) || e2e_fail "no badge window at (100, 100)"
    pointer_window=$(window_near 540 440) || e2e_fail "no pointer badge window at (540, 440)"

    for cut in yes no yes; do
        if [[ $cut == no ]]; then
            e2e_start_compositor
            phase="with a compositor"
        elif [[ -n ${phase:-} ]]; then
            kill "${E2E_PIDS[-1]}"
            phase="after the compositor stopped"
        else
            phase="without a compositor"
        fi
        expect_clean_rim "the ${size} px badge $phase" "$badge_window" $cut
        expect_clean_rim "the ${size} px pointer badge $phase" "$pointer_window" $cut
    done
    unset phase
    kill "$mirevo_pid"
    wait "$mirevo_pid" 2>/dev/null || true
done
