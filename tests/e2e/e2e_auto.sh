#!/usr/bin/env bash
# auto: with only IBus running it picks IBus; when the daemon stops it falls back to the
# X keyboard, and when a new daemon starts it returns to IBus, both for fresh
# `mirevo --print-source` runs and for a running source that follows the daemons. With an
# idle fcitx5 running too, the session's declared input method decides.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb
start_ibus
ibus_switch hangul
expect_source auto korean auto:ibus

"$MIREVO_TOOLS/source_watch" auto >"$E2E_TMP/watch.log" 2>"$E2E_TMP/watch.err" &
E2E_PIDS+=($!)
wait_until 5 grep -q $'korean\tauto:ibus' "$E2E_TMP/watch.log" || e2e_fail "the watcher did not pick IBus"
start_mirevo auto
expect_badge 6b006b korean

stop_ibus
# IBus set the engine's own layout (kr) on the X server; put two groups back.
setxkbmap -layout us,ru
"$MIREVO_TOOLS/xkb_lock_group" 1
expect_source auto russian auto:xkb
wait_until 5 grep -q $'russian\tauto:xkb' "$E2E_TMP/watch.log" ||
  e2e_fail "the running source did not fall back to XKB: $(cat "$E2E_TMP/watch.log")"
e2e_log "ok: the running source fell back to XKB"
expect_badge 7d0036 russian

start_ibus
ibus_switch libpinyin
expect_source auto chinese_simplified auto:ibus
wait_until 5 grep -q $'chinese_simplified\tauto:ibus' "$E2E_TMP/watch.log" ||
  e2e_fail "the running source did not follow the new daemon: $(cat "$E2E_TMP/watch.log")"
e2e_log "ok: the running source followed the restarted daemon"
expect_badge 007d00 chinese_simplified
# The ibus backend alone also finds the new daemon.
expect_source ibus chinese_simplified

start_fcitx5 keyboard-us hangul
line=$("$MIREVO" --print-source 2>&1 || true)
grep -q 'auto:fcitx5' <<<"$line" || e2e_fail "with no input method declared fcitx5 comes first: $line"
GTK_IM_MODULE=ibus expect_source auto chinese_simplified "auto:ibus (GTK_IM_MODULE=ibus)"
