#!/usr/bin/env bash
# Plasma 5.27 on X11 without an input method: the real kded5 keyboard daemon with a display
# label (EN) and Russian typed on a US base (us(rus)), switched with setLayout and
# switchToNextLayout and reconfigured through kxkbrc. The truth is what key 24 (<AD01>)
# or 29 (<AD06>) types in the locked group. The daemon also starts after Mirevo, goes,
# is replaced by replies it never sends (a stand-in) and comes back; then it keeps a
# layout per window, restored as the focus moves.
set -euo pipefail
. "$(dirname "$0")/lib/plasma.sh"
start_xvfb
write_kxkbrc us,ru,us,de ,phonetic,rus, EN,,,

# Mirevo first; the kde source alone is watched through its signals.
start_mirevo auto
watch_sources kde
WATCH_PID=${E2E_PIDS[-1]}
expect_badge 0000b3 english
start_kded
expect_source auto english "auto:kde"

kde_call setLayout 2 >/dev/null
expect_typed 24 Cyrillic_ya
expect_badge 7d0036 russian
expect_source_id "kde.keylayout.us(rus).Russian"
expect_watched "^kde.keylayout.us(rus).Russian"
kde_call switchToNextLayout >/dev/null
expect_typed 29 z
expect_badge 0000b3 english
expect_source_id "kde.keylayout.de.German"
kde_call switchToNextLayout >/dev/null
expect_typed 29 y
expect_source_id "kde.keylayout.us.English (US)"
kde_call setLayout 1 >/dev/null
expect_typed 24 Cyrillic_ya
expect_badge 7d0036 russian
expect_source_id "kde.keylayout.ru(phonetic).Russian"

# Plasma's settings rewrite kxkbrc and say so; the daemon announces the new list.
write_kxkbrc gr,us ,rus
reload_kxkbrc
kde_call setLayout 0 >/dev/null
expect_typed 25 Greek_finalsmallsigma
expect_badge 00478f greek
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
  expect_badge 00478f greek
  kill -0 "$WATCH_PID" || e2e_fail "the kde source crashed on $mode replies"
  [ "$(e2e_instances)" = 1 ] || e2e_fail "Mirevo crashed on $mode replies"
  [ "$(wc -l <"$E2E_TMP/watch.log")" = "$watched" ] ||
    e2e_fail "the kde source changed its answer on $mode replies: $(tail -1 "$E2E_TMP/watch.log")"
  kill "$standin"
  wait "$standin" 2>/dev/null || true
done

# Back: the right answer again.
start_kded
kde_call setLayout 1 >/dev/null
expect_typed 24 Cyrillic_ya
expect_badge 7d0036 russian
last_watched_is() { [ "$(tail -1 "$E2E_TMP/watch.log" | cut -f1)" = "$1" ]; }
wait_until 5 last_watched_is "kde.keylayout.us(rus).Russian" ||
  e2e_fail "the kde source did not follow the restarted daemon: $(tail -1 "$E2E_TMP/watch.log")"

# A layout per window: the daemon restores each window's layout when it gets the focus.
e2e_spawn openbox --sm-disable
wait_until 10 window_manager_runs || e2e_fail "openbox did not start"
windows_with_layouts 1 0
a=$WINDOW_A b=$WINDOW_B
for step in "$a 24 Cyrillic_ya 7d0036" "$b 25 Greek_finalsmallsigma 00478f" "$a 24 Cyrillic_ya 7d0036"; do
  read -r window key keysym colour <<<"$step"
  xdotool windowactivate --sync "$window"
  expect_typed "$key" "$keysym"
  expect_badge "$colour" "the focused window's layout"
done
