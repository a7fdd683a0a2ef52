#!/usr/bin/env bash
# `ibus engine` switches reach a fresh `--print-source` and, through the change signal
# alone, a running source started before the daemon, through replacement, absence and return.
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb
# The watcher runs without Qt's GLib event loop: GIO's replies must reach Qt's own loop.
QT_NO_GLIB=1 watch_sources ibus
start_mirevo ibus
start_ibus
ibus_switch xkb:us::eng
expect_watched english
expect_badge 0000ff english

# check ENGINE LANGUAGE COLOUR
check() {
  ibus_switch "$1"
  expect_source ibus "$2"
  expect_latest "$2"
  expect_badge "$3" "$2"
}
check libpinyin chinese_simplified 00b300
check xkb:us::eng english 0000ff
check xkb:ru::rus russian b3004d

# A daemon that replaces the running one.
start_ibus
check libpinyin chinese_simplified 00b300

# A daemon that is gone gives a fresh start a clear "no source", not a hang; the running
# program keeps the last language and finds the daemon when it is back.
stop_ibus
! "$MIREVO" --print-source --input-backend ibus 2>"$E2E_TMP/err" ||
  e2e_fail "a source was reported with no ibus-daemon"
grep -q 'no input source' "$E2E_TMP/err" || e2e_fail "unclear message: $(cat "$E2E_TMP/err")"
expect_badge 00b300 chinese_simplified
start_ibus
check xkb:ru::rus russian b3004d
