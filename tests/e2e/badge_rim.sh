#!/usr/bin/env bash
# The rims of the floating and the pointer badge (10, 20, 100 px, no text) without a
# compositor, with one starting, and after it stops: no pixel of the badge's square is
# darker than both the desktop and the badge's colour.
set -euo pipefail
source "$(dirname "$0")/lib/desktop.sh"

desktop=c0c0c0
badge=4080ff
e2e_start_desktop 1024x768
xsetroot -solid "#$desktop"

# The desktop as shown: a compositor paints its own background where no root pixmap is set.
shown_desktop() { "$MIREVO_TOOLS/screen-probe" pixel 1000 700 | tr -d '#'; }
# rim_is_clean X Y: nothing in the badge's square at (X, Y) is darker than both colours.
rim_is_clean() { "$MIREVO_TOOLS/screen-probe" dark "$1" "$2" "$size" "$size" "$(shown_desktop)" "$badge"; }
# The two discs' centres: opaque without a compositor, blended with the desktop with one.
centres() { "$MIREVO_TOOLS/screen-probe" pixel $((100 + size / 2)) $((100 + size / 2)) &&
    "$MIREVO_TOOLS/screen-probe" pixel $((540 + size / 2)) $((440 + size / 2)); }
centres_opaque() { [ "$(centres)" = "$opaque" ]; }
centres_blended() { ! grep -qxF -f <(centres) <<<"$opaque"; }

for size in 10 20 100; do
    # The floating badge's top-left at (100, 100); the pointer badge's 40 px right of and
    # below the pointer at (500, 400), clear of the pointer's own image.
    write_settings '.clock.isVisible = false
        | .imeIndicator.indicatorSize = $s | .imeIndicator.englishText = ""
        | .imeIndicator.englishColor = {red: 0.25, green: 0.5, blue: 1, alpha: 1}
        | .imeIndicator.positionX = 100 | .imeIndicator.positionY = 768 - 100 - $s
        | .mouseCursorIndicator.size = $s
        | .mouseCursorIndicator.offsetX = 40 | .mouseCursorIndicator.offsetY = 40' --argjson s "$size"
    xdotool mousemove 500 400
    start_mirevo file
    mirevo_pid=${E2E_PIDS[-1]}
    expect_pixel $((100 + size / 2)) $((100 + size / 2)) "$badge" 80 "no ${size} px badge" 20000
    expect_pixel $((540 + size / 2)) $((440 + size / 2)) "$badge" 80 "no ${size} px pointer badge"
    opaque=$(centres)
    for phase in "without a compositor" "with a compositor" "after the compositor stopped"; do
        # Each phase waits until both badges are drawn for it.
        case $phase in
        "with a compositor") e2e_start_compositor && wait_until 5 centres_blended ;;
        after*) kill "${E2E_PIDS[-1]}" && wait_until 5 centres_opaque ;;
        esac || e2e_fail "the ${size} px badges were not redrawn $phase: $(centres | xargs)"
        for corner in "100 100 badge" "540 440 pointer badge"; do
            read -r x y what <<<"$corner"
            wait_until 5 rim_is_clean "$x" "$y" ||
                e2e_fail "the ${size} px $what $phase: $(rim_is_clean "$x" "$y")"
        done
    done
    stop_pid "$mirevo_pid"
done
