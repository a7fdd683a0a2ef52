#!/usr/bin/env bash
# Switch-to-monitor latency and CPU at rest for the xkb, ibus, fcitx5 and gnome backends,
# each against the real daemon in a private X server and session bus.
# Usage: bench/bench_input_sources.sh [REST_SECONDS (default 20)] [SWITCHES (default 30)]
# Expects a build in build/ (or $MIREVO_BUILD_DIR).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/e2e/lib/session.sh"
e2e_enter_session "$0" "$@"
rest=${1:-20}
switches=${2:-30}
build=${MIREVO_BUILD_DIR:-$here/../build}
bench=$build/bench/bench_input_sources
export MIREVO_TOOLS=$build/tools
e2e_init
start_xvfb

setxkbmap -layout us,ru
"$bench" xkb "$rest" "$MIREVO_TOOLS/xkb_lock_group 0" english \
  "$MIREVO_TOOLS/xkb_lock_group 1" russian "$switches"

start_ibus
ibus_switch xkb:us::eng
"$bench" ibus "$rest" "ibus engine xkb:us::eng" english "ibus engine hangul" korean "$switches"
stop_ibus

start_fcitx5 keyboard-us keyboard-ru hangul
start_fcitx5_client
fcitx5-remote -s keyboard-us
"$bench" fcitx5 "$rest" "fcitx5-remote -s keyboard-us" english \
  "fcitx5-remote -s hangul" korean "$switches"

# GNOME Shell's switch: the layout's group locked, then the source recorded.
start_dconf
schema=org.gnome.desktop.input-sources
gsettings set $schema sources "[('xkb', 'us'), ('xkb', 'ru')]"
gsettings set $schema mru-sources "[('xkb', 'us')]"
setxkbmap -layout us,ru
"$bench" gnome "$rest" \
  "$MIREVO_TOOLS/xkb_lock_group 0; gsettings set $schema mru-sources \"[('xkb', 'us')]\"" english \
  "$MIREVO_TOOLS/xkb_lock_group 1; gsettings set $schema mru-sources \"[('xkb', 'ru')]\"" russian \
  "$switches"
