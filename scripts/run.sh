#!/usr/bin/env bash
# Installs what is missing, builds, and starts Mirevo.
#
# With a display (DISPLAY set) Mirevo starts there and keeps running. Without one, a
# private headless desktop (Xvfb, openbox, a tray) is started, Mirevo runs there with a
# file input source for a few seconds, a screenshot is saved and its path printed, and
# everything that was started is stopped again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
# Only the program, and the screen probe the headless demo takes its picture with.
scripts/build.sh mirevo screen-probe

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec build/mirevo "$@"
fi

source tests/e2e/lib/desktop.sh
e2e_start_desktop 1280x800
xsetroot -solid "#4a6078"
e2e_start_compositor
e2e_start_tray
source_file="$E2E_TMP/input-source"
echo "xkb.keylayout.us.English (US)" >"$source_file"
e2e_spawn build/mirevo --input-backend "file:$source_file" "$@"
sleep "${MIREVO_DEMO_SECONDS:-4}"
shot="$PWD/build/mirevo-headless.png"
build/tools/screen-probe png "$shot"
echo "No display found: Mirevo ran on a private headless desktop."
echo "Screenshot: $shot"
