#!/usr/bin/env bash
# The command-line options of the real binary.
set -euo pipefail
build=${1:?build folder}
mirevo="$build/mirevo"
fail() { echo "FAIL: $*" >&2; exit 1; }

[ "$("$mirevo" --detect com.apple.inputmethod.Kotoeri.RomajiTyping.Japanese)" = japanese ] ||
    fail "--detect of a Japanese identifier"
[ "$("$mirevo" --detect '')" = english ] || fail "--detect of the empty identifier"

source_file=$(mktemp)
trap 'rm -f "$source_file"' EXIT
echo "ibus.inputmethod.hangul.Korean" >"$source_file"
out=$(MIREVO_INPUT_BACKEND="file:$source_file" "$mirevo" --print-source)
[ "$(cut -f1,2 <<<"$out")" = "ibus.inputmethod.hangul.Korean	korean" ] || fail "--print-source said: $out"

: >"$source_file"
if MIREVO_INPUT_BACKEND="file:$source_file" "$mirevo" --print-source 2>/dev/null; then
    fail "--print-source with an empty source file should exit 1"
fi
# Qt's own options pass through to Qt.
echo "ibus.inputmethod.hangul.Korean" >"$source_file"
"$mirevo" -platform offscreen -style=Fusion --print-source --input-backend "file:$source_file" \
    >/dev/null || fail "Qt's -platform and -style options were refused"

# exits STATUS MESSAGE CMD...: CMD exits with STATUS and says MESSAGE on stderr.
exits() {
    local status=0 out
    out=$("${@:3}" 2>&1 >/dev/null) || status=$?
    [ $status -eq "$1" ] && grep -qF "$2" <<<"$out" || fail "$*: status $status, said: $out"
}
exits 2 "unknown input backend" "$mirevo" --input-backend nonsense
exits 2 "Unknown option 'frobnicate'" "$mirevo" --frobnicate
exits 1 "cannot open the X display (DISPLAY is not set); Mirevo needs a graphical session" \
    env -u DISPLAY -u WAYLAND_DISPLAY "$mirevo"
exits 1 'cannot open the X display ":4711"' env DISPLAY=:4711 "$mirevo"
"$mirevo" --version | grep -q '^mirevo ' || fail "--version"
echo "command line: all checks passed"
