#!/usr/bin/env bash
# The floating clock of the real binary on a 1920x1080 desktop: with the default settings
# (an offset meant for a wider desktop) it is shown wholly in view at the right edge, its
# background turns from blue to red-orange when a Japanese input source becomes current,
# and its second hand advances.
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
expect_pixel 1612 560 991700 6 "the background did not turn red-orange" 3000

# The second hand: which of the 60 second positions, 75 pixels from the face's centre
# (1760, 660), shows the face colour. The hour positions hold marks and are skipped.
second_hand() {
    local i x y
    for ((i = 0; i < 60; i++)); do
        ((i % 5)) || continue
        read -r x y < <(awk -v i=$i 'BEGIN { a = i * atan2(0, -1) / 30
            printf "%d %d\n", 1760.5 + 75 * sin(a), 660.5 - 75 * cos(a) }')
        (($("$MIREVO_TOOLS/screen-probe" count $((x - 1)) $((y - 1)) 3 3 fffb00 80) >= 2)) &&
            echo "$i" && return
    done
    return 1
}
sample() {
    local s
    for _ in 1 2 3 4 5; do
        s=$(second_hand) && echo "$s" && return
        sleep 1 # on a mark or under a text: look again a second later
    done
    e2e_fail "no second hand found"
}
first=$(sample)
sleep 2
second=$(sample)
# Forward, however long the sampling took on a busy machine; not stuck, not backwards.
step=$(((second - first + 60) % 60))
((step >= 1 && step < 30)) || e2e_fail "the second hand went from $first to $second"
