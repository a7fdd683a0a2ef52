#!/usr/bin/env bash
# The kde backend follows layoutChanged and layoutListChanged of Plasma's keyboard daemon,
# here a stand-in serving its documented interface (tests/tools/kde_layouts_standin.cpp).
set -euo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_enter_session "$0" "$@"
e2e_init
start_xvfb
e2e_spawn "$MIREVO_TOOLS/kde_layouts_standin" "us=English (US)" \
  "ru:phonetic=Russian (phonetic)" "gr=Greek"
wait_until 5 bus_has_owner org.kde.keyboard || e2e_fail "the stand-in did not start"
layouts() {
  gdbus call --session --dest org.kde.keyboard --object-path /Layouts --method "$@" >/dev/null
}

start_mirevo kde
expect_badge 0000ff english
layouts org.kde.KeyboardLayouts.setLayout 1
expect_badge b3004d russian
expect_source kde russian
line=$("$MIREVO" --print-source --input-backend kde)
[ "${line%%$'\t'*}" = "kde.keylayout.ru(phonetic).Russian" ] || e2e_fail "the layout's fields mixed up: $line"
layouts org.kde.KeyboardLayouts.setLayout 2
expect_badge 0066cc greek
# A new list under the same index: the daemon announces the list, not a switch.
layouts org.mirevo.StandIn.setLayoutsList "['us=English (US)', 'ru=Russian', 'ara=Arabic']"
expect_badge ff8000 arabic
expect_source auto arabic "auto:kde (org.kde.keyboard on the session bus)"
