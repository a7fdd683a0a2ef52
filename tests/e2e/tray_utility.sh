#!/usr/bin/env bash
# The real program on a plain X desktop with the file input source: the blue badge at its
# default place, red within a second of a switch to Japanese, one instance only, and the
# default settings on disk.
set -euo pipefail
build=${1:?build folder}
here=$(dirname "$0")
source "$here/lib/desktop.sh"
probe="$build/tools/screen-probe"
fail() { echo "FAIL: $*" >&2; "$probe" png "/tmp/mirevo-e2e-tray-failure.png" || true; exit 1; }

e2e_start_desktop 1920x1080
source_file="$E2E_TMP/input-source"
echo "xkb.keylayout.us.English (US)" >"$source_file"
e2e_spawn "$build/mirevo" --input-backend "file:$source_file"
first=${E2E_PIDS[-1]}

# Default badge: 100 x 100 at (24, 152) from the bottom-left, so its Qt top-left is
# (24, 828) on a 1080-high screen; the disc left of the text is blue.
x=44 y=878
"$probe" wait $x $y 0000c0 70 5000 >/dev/null || fail "no blue badge at ($x, $y)"

# Every floating window is on all desktops and out of the taskbar and pager.
for window in $(xdotool search --onlyvisible --classname mirevo); do
    hints=$(xprop -id "$window" _NET_WM_STATE _NET_WM_DESKTOP)
    grep -q 'SKIP_TASKBAR' <<<"$hints" && grep -q 'SKIP_PAGER' <<<"$hints" ||
        fail "window $window is in the taskbar or pager: $hints"
    grep -q '_NET_WM_DESKTOP(CARDINAL) = 4294967295' <<<"$hints" ||
        fail "window $window is not on all desktops: $hints"
done

echo "ibus.inputmethod.anthy.Japanese" >"$source_file"
"$probe" wait $x $y c00000 70 1000 >/dev/null || fail "badge did not turn red within a second"

# A second instance asks the first one to open its settings and exits.
timeout 10 "$build/mirevo" --input-backend "file:$source_file" || fail "second instance exit status $?"
kill -0 "$first" || fail "the first instance is gone"
[ "$(e2e_instances)" -eq 1 ] || fail "$(e2e_instances) instances of mirevo run on this desktop"
e2e_wait_for_settings 5 || fail "the settings window did not open"

settings="$XDG_CONFIG_HOME/Mirevo/app_settings.json"
[ -f "$settings" ] || fail "no settings file at $settings"
for expected in '"indicatorSize": 100' '"positionX": 24' '"fontName": "MyricaM M"' \
    '"dateTimePosition": "date_time_vertical"' '"offsetX": 16'; do
    grep -q "$expected" "$settings" || fail "settings file lacks $expected"
done
echo "tray utility: all checks passed"
