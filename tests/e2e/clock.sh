#!/usr/bin/env bash
# The floating clock of the real binary on a 1920x1080 desktop: with the default settings
# (an offset meant for a wider desktop) it is shown in view at the right edge, its
# background turns from blue to red-orange when a Japanese input source becomes current,
# and its second hand advances.
set -euo pipefail
build=${1:?build folder}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/desktop.sh"
probe="$build/tools/screen-probe"
fail() {
    "$probe" png "$E2E_TMP/failure.png" 2>/dev/null && cp "$E2E_TMP/failure.png" /tmp/mirevo-clock-failure.png
    echo "FAIL: $*" >&2
    exit 1
}

e2e_start_desktop 1920x1080
source_file="$E2E_TMP/input-source"
echo "xkb.keylayout.us.English (US)" >"$source_file"
e2e_spawn "$build/mirevo" --input-backend "file:$source_file"

# The default clock, 320x220, kept in view: Qt rectangle (1600, 550) to (1920, 770). The
# background is 60% opaque; without a compositor the window shows it over black.
blue=005a99
red_orange=991700
"$probe" wait 1612 560 $blue 6 10000 >/dev/null || fail "no blue clock background at the right edge"
for corner in "1908 560" "1612 758" "1908 758"; do
    [ "$("$probe" count ${corner% *} ${corner#* } 1 1 $blue 6)" = 1 ] ||
        fail "the clock is not wholly in view (corner $corner)"
done

echo "ibus.inputmethod.anthy.Japanese" >"$source_file"
"$probe" wait 1612 560 $red_orange 6 3000 >/dev/null || fail "the background did not turn red-orange"

# The second hand: which of the 60 second positions, 75 pixels from the face's centre
# (1760, 660), shows the face colour. The hour positions hold marks and are skipped.
face=fffb00
second_hand() {
    local i x y
    for ((i = 0; i < 60; i++)); do
        ((i % 5 == 0)) && continue
        read -r x y < <(awk -v i=$i 'BEGIN { a = i * 6 * atan2(0, -1) / 180;
            printf "%d %d\n", 1760 + 75 * sin(a) + 0.5, 660 - 75 * cos(a) + 0.5 }')
        if (($("$probe" count $((x - 1)) $((y - 1)) 3 3 $face 80) >= 2)); then
            echo "$i"
            return
        fi
    done
}
sample() {
    local s tries
    for ((tries = 0; tries < 5; tries++)); do
        s=$(second_hand)
        [ -n "$s" ] && { echo "$s"; return; }
        sleep 1 # on a mark or under a text: look again a second later
    done
    fail "no second hand found"
}
first=$(sample)
sleep 2
second=$(sample)
step=$(((second - first + 60) % 60))
((step >= 1 && step <= 8)) || fail "second hand went from $first to $second"
echo "clock: in view, blue then red-orange, second hand $first -> $second"
