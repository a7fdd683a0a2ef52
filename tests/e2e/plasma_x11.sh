#!/usr/bin/env bash
# Plasma 5.27 on X11: the real kded5 keyboard daemon (a label EN, us(rus)), switched and
# reconfigured through kxkbrc; truth is what a key types in the locked group. The daemon
# starts after Mirevo, goes, is replaced by malformed replies (a stand-in) and comes back;
# then it keeps a layout per window.
set -euo pipefail
. "$(dirname "$0")/lib/plasma.sh"
start_xvfb
write_kxkbrc us,ru,us,de ,phonetic,rus, EN,,,

# Mirevo first; the kde source alone is watched through its signals.
start_mirevo auto
watch_sources kde
WATCH_PID=${E2E_PIDS[-1]}
expect_badge 0000ff english
start_kded
expect_source auto english "auto:kde"

kde_call setLayout 2 >/dev/null
expect_typed 24 Cyrillic_ya
expect_badge b3004d russian
expect_source_id "kde.keylayout.us(rus).Russian"
expect_watched "^kde.keylayout.us(rus).Russian"
kde_call switchToNextLayout >/dev/null
expect_typed 29 z
expect_badge 0000ff english
expect_source_id "kde.keylayout.de.German"
kde_call switchToNextLayout >/dev/null
expect_typed 29 y
expect_source_id "kde.keylayout.us@EN.English (US)" # the user's label, for the layout code
kde_call setLayout 1 >/dev/null
expect_typed 24 Cyrillic_ya
expect_badge b3004d russian
expect_source_id "kde.keylayout.ru(phonetic).Russian"

# Plasma's settings rewrite kxkbrc and say so; the daemon announces the new list.
write_kxkbrc gr,us ,rus
reload_kxkbrc
kde_call setLayout 0 >/dev/null
expect_typed 25 Greek_finalsmallsigma
expect_badge 0066cc greek
expect_watched "^kde.keylayout.gr.Greek"

# Gone, then answers the real daemon never gives: nothing changes and nothing crashes.
stop_kded
standin_asked_twice() { [ "$(grep -c 'answered getLayout$' "$E2E_TMP/standin.log")" -ge 2 ]; }
for mode in past-end empty wrong-types; do
  watched=$(wc -l <"$E2E_TMP/watch.log")
  "$MIREVO_TOOLS/kde_layouts_standin" "$mode" >"$E2E_TMP/standin.log" 2>&1 &
  standin=$!
  E2E_PIDS+=($standin)
  wait_until 10 standin_asked_twice ||
    e2e_fail "Mirevo and the watcher did not ask the stand-in ($mode): $(cat "$E2E_TMP/standin.log")"
  expect_badge 0066cc greek
  kill -0 "$WATCH_PID" || e2e_fail "the kde source crashed on $mode replies"
  [ "$(e2e_instances)" = 1 ] || e2e_fail "Mirevo crashed on $mode replies"
  [ "$(wc -l <"$E2E_TMP/watch.log")" = "$watched" ] ||
    e2e_fail "the kde source changed its answer on $mode replies: $(tail -1 "$E2E_TMP/watch.log")"
  stop_pid "$standin"
done

# Back: the right answer again.
start_kded
kde_call setLayout 1 >/dev/null
expect_typed 24 Cyrillic_ya
expect_badge b3004d russian
expect_latest "kde.keylayout.us(rus).Russian" 5 "the restarted daemon"

# A layout per window: the daemon restores each window's layout when it gets the focus.
start_openbox
windows_with_layouts 1 0
a=$WINDOW_A b=$WINDOW_B
for step in "$a 24 Cyrillic_ya b3004d" "$b 25 Greek_finalsmallsigma 0066cc" "$a 24 Cyrillic_ya b3004d"; do
  read -r window key keysym colour <<<"$step"
  xdotool windowactivate --sync "$window"
  expect_typed "$key" "$keysym"
  expect_badge "$colour" "the focused window's layout"
done
