#!/usr/bin/env bash
# The command-line options of the real binary.
set -euo pipefail
source "$(dirname "$0")/lib/session.sh"
e2e_init

# exits STATUS MESSAGE CMD...: CMD exits with STATUS and says MESSAGE on stderr.
exits() {
    local status=0 out
    out=$("${@:3}" 2>&1 >/dev/null) || status=$?
    [ $status -eq "$1" ] && grep -qF "$2" <<<"$out" || e2e_fail "$*: status $status, said: $out"
}

[ "$("$MIREVO" --detect com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese)" = japanese ] ||
    e2e_fail "--detect of a Japanese identifier"
[ "$("$MIREVO" --detect '')" = english ] || e2e_fail "--detect of the empty identifier"
set_source "ibus.inputmethod.hangul.Korean"
out=$(MIREVO_INPUT_BACKEND="file:$E2E_SOURCE" "$MIREVO" --print-source)
[ "$(cut -f1,2 <<<"$out")" = $'ibus.inputmethod.hangul.Korean\tkorean' ] || e2e_fail "--print-source said: $out"
# Qt's own options pass through to Qt.
"$MIREVO" -platform offscreen -style=Fusion --print-source --input-backend "file:$E2E_SOURCE" \
    >/dev/null || e2e_fail "Qt's -platform and -style options were refused"
set_source ""
exits 1 "" env MIREVO_INPUT_BACKEND="file:$E2E_SOURCE" "$MIREVO" --print-source
exits 2 "unknown input backend" "$MIREVO" --input-backend nonsense
exits 2 "Unknown option 'frobnicate'" "$MIREVO" --frobnicate
exits 1 "cannot open the X display (DISPLAY is not set); Mirevo needs a graphical session" \
    env -u DISPLAY -u WAYLAND_DISPLAY "$MIREVO"
exits 1 'cannot open the X display ":4711"' env DISPLAY=:4711 "$MIREVO"
