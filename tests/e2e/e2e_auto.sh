#!/usr/bin/env bash
# auto picks IBus, falls back to the X keyboard when it stops and returns when it restarts,
# for fresh `--print-source` runs and the running badge; with fcitx5 too, the declared
# input method decides.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb
start_ibus
ibus_switch hangul
expect_source auto korean auto:ibus
start_mirevo auto
expect_badge 990099 korean

stop_ibus
# IBus set the engine's own layout (kr) on the X server; put two groups back.
setxkbmap -layout us,ru
"$MIREVO_TOOLS/xkb_lock_group" 1
expect_source auto russian auto:xkb
expect_badge b3004d russian

start_ibus
ibus_switch libpinyin
expect_source auto chinese_simplified auto:ibus
expect_badge 00b300 chinese_simplified

start_fcitx5 keyboard-us hangul
line=$("$MIREVO" --print-source 2>&1 || true)
grep -q 'auto:fcitx5' <<<"$line" || e2e_fail "with no input method declared fcitx5 comes first: $line"
GTK_IM_MODULE=ibus expect_source auto chinese_simplified "auto:ibus (GTK_IM_MODULE=ibus)"
