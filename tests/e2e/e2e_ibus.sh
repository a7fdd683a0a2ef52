#!/usr/bin/env bash
# `ibus engine` switches change what the ibus backend reports, for a fresh
# `--print-source` and, through its change signal alone, for a running source.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb
start_ibus
ibus_switch xkb:us::eng
watch_sources ibus
expect_watched english
start_mirevo ibus
expect_badge 0000ff english

# check ENGINE LANGUAGE COLOUR
check() {
  ibus_switch "$1"
  expect_source ibus "$2"
  expect_watched "$2"
  expect_badge "$3" "$2"
}
check hangul korean 990099
check libpinyin chinese_simplified 00b300
check xkb:us::eng english 0000ff
check xkb:ru::rus russian b3004d

# A daemon that is gone gives a clear "no source", not a hang.
stop_ibus
! "$MIREVO" --print-source --input-backend ibus 2>"$E2E_TMP/err" ||
  e2e_fail "a source was reported with no ibus-daemon"
grep -q 'no input source' "$E2E_TMP/err" || e2e_fail "unclear message: $(cat "$E2E_TMP/err")"
