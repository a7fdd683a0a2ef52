#!/usr/bin/env bash
# The pointer badge on a real X desktop: it follows relative moves (raw motion) and warps
# (the timer), lets clicks through to the window below, is cut to its circle without a
# compositor, blends with one, and takes the IME indicator's colour of a new language.
set -euo pipefail
build=$(cd "$1" && pwd)
source "$(dirname "$0")/lib/desktop.sh"
probe=$build/tools/screen-probe

fail() {
    echo "FAIL: $*" >&2
    "$probe" png "$E2E_TMP/failure.png" && cp "$E2E_TMP/failure.png" "$build/cursor-e2e-failure.png"
    exit 1
}
# expect_pixel X Y RRGGBB TOLERANCE WHAT
expect_pixel() {
    "$probe" wait "$1" "$2" "$3" "$4" 2000 >/dev/null || fail "$5"
}

e2e_start_desktop 1024x768
source_file=$E2E_TMP/source
echo "xkb.keylayout.us.English (US)" >"$source_file"
settings_dir=$XDG_CONFIG_HOME/Mirevo
mkdir -p "$settings_dir"

# A grey window under the badge that records the clicks it gets.
clicks=$E2E_TMP/clicks
: >"$clicks"
"$build/tools/click-recorder" 200 200 400 300 808080 "$clicks" >"$E2E_TMP/recorder.out" &
E2E_PIDS+=($!)
for _ in $(seq 50); do grep -q ready "$E2E_TMP/recorder.out" && break; sleep 0.05; done

start_mirevo() {
    e2e_spawn "$build/mirevo" --input-backend "file:$source_file"
    mirevo_pid=$!
}

# --- Without a compositor; the badge (20 px) centred on the pointer. --------------------
"$build/tools/settings-defaults" |
    jq '.mouseCursorIndicator.offsetX = -10 | .mouseCursorIndicator.offsetY = -10' \
        >"$settings_dir/app_settings.json"
xdotool mousemove 400 350
start_mirevo
# English is blue by default: the disc left of the "A".
expect_pixel 395 350 0000bf 40 "the badge did not appear around the pointer"
# The window is cut to the circle: its corner shows the window below, not black.
expect_pixel 391 341 808080 0 "the badge's corner is not cut away without a compositor"
# ... and so is its glow around the disc, which would show as a dark ring.
expect_pixel 390 350 808080 0 "a dark ring around the badge without a compositor"

xdotool click 1
for _ in $(seq 40); do [ -s "$clicks" ] && break; sleep 0.05; done
grep -qx "200 150" "$clicks" || fail "the click did not reach the window below the badge: $(cat "$clicks")"

# Relative moves produce raw motion; warps only the timer sees.
xdotool mousemove_relative -- 60 40
expect_pixel 455 390 0000bf 40 "the badge did not follow a relative move"
expect_pixel 395 350 808080 0 "the badge left a trace at its old place"
xdotool mousemove 300 250
expect_pixel 295 250 0000bf 40 "the badge did not follow a warp"

# A switch to Korean turns the badge purple (the IME indicator's Korean colour).
echo "ibus.inputmethod.hangul.Korean" >"$source_file"
expect_pixel 295 250 730073 40 "the badge did not take the Korean colour"
kill "$mirevo_pid"
wait "$mirevo_pid" 2>/dev/null || true

# --- With a compositor; default settings: 16 right of and 8 below the pointer. ----------
rm -f "$settings_dir/app_settings.json"
echo "xkb.keylayout.us.English (US)" >"$source_file"
e2e_start_compositor
xdotool mousemove 500 400
start_mirevo
expect_pixel 521 418 0000bf 60 "the badge is not 16 right of and 8 below the pointer"
# Translucent where a compositor runs: the glow blends with the grey below.
pixel=$("$probe" pixel 517 418)
blue=$((16#${pixel:5:2})) red=$((16#${pixel:1:2}))
[ "$red" -gt 40 ] && [ "$blue" -gt "$red" ] || fail "the glow does not blend with the window below: $pixel"
expect_pixel 516 408 808080 0 "the badge's transparent corner is not see-through"
echo "cursor e2e: ok"
