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
set +e
"$mirevo" --input-backend nonsense 2>/dev/null
[ $? -eq 2 ] || fail "an unknown backend should exit 2"
set -e
"$mirevo" --version | grep -q '^mirevo ' || fail "--version"
echo "command line: all checks passed"
