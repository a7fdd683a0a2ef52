#!/usr/bin/env bash
# IBus: switching engines with `ibus engine` changes what the ibus backend reports, both
# for a fresh `mirevo --print-source` and, through the backend's change signal alone, for
# a running source.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb
start_ibus

ibus_switch xkb:us::eng
"$MIREVO_TOOLS/source_watch" --signal-only ibus >"$E2E_TMP/watch.log" 2>"$E2E_TMP/watch.err" &
E2E_PIDS+=($!)
wait_until 5 grep -q english "$E2E_TMP/watch.log" || e2e_fail "source_watch saw no engine"
start_mirevo ibus
expect_badge 0000b3 english

ibus_switch hangul
expect_source ibus korean
wait_until 3 grep -q 'hangul.*korean' "$E2E_TMP/watch.log" ||
  e2e_fail "no change signal after ibus engine hangul: $(cat "$E2E_TMP/watch.log")"
e2e_log "ok: the running source was told about hangul"
expect_badge 6b006b korean

ibus_switch libpinyin
expect_source ibus chinese_simplified
expect_badge 007d00 chinese_simplified
ibus_switch xkb:us::eng
expect_source ibus english
expect_badge 0000b3 english
ibus_switch xkb:ru::rus
expect_source ibus russian
wait_until 3 grep -q 'xkb:ru\|keylayout.ru.*russian' "$E2E_TMP/watch.log" ||
  e2e_fail "no change signal after the switch to xkb:ru::rus"

# A daemon that is gone gives a clear "no source", not a hang.
stop_ibus
if "$MIREVO" --print-source --input-backend ibus 2>"$E2E_TMP/err"; then
  e2e_fail "a source was reported with no ibus-daemon"
fi
grep -q 'no input source' "$E2E_TMP/err" || e2e_fail "unclear message: $(cat "$E2E_TMP/err")"
e2e_log "ok: no daemon, no source"
