#!/usr/bin/env bash
# The unit tests once more under AddressSanitizer and UndefinedBehaviorSanitizer, then each
# fuzz target for MIREVO_FUZZ_SECONDS (60) from seeds made of the golden settings file.
# Builds with clang into build-sanitize/ (or $MIREVO_SANITIZE_DIR) only what it runs.
# Fails on any test failure, crash or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${MIREVO_SANITIZE_DIR:-build-sanitize}
seconds=${MIREVO_FUZZ_SECONDS:-60}
# -O1 with line tables only: quick to build, fast enough to fuzz, reports name their lines.
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
    -DMIREVO_FUZZ=ON >/dev/null
find "$build_dir" -path '*_autogen/timestamp' -delete 2>/dev/null || true
cmake --build "$build_dir" -j "${MIREVO_JOBS:-$(nproc)}" --target unit_tests fuzz_settings fuzz_date_patterns

# Qt Test would start gdb on a sanitizer abort and wait for it.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
export QTEST_DISABLE_STACK_DUMP=1
export LSAN_OPTIONS=suppressions=$PWD/fuzz/leak-suppressions.txt
(cd "$build_dir" && ctest -L unit --output-on-failure --timeout 600)

# Seeds: the golden file, its two records as the older files, and its four patterns.
golden=tests/settings/golden_settings.json
seeds=$build_dir/fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds/settings" "$seeds/date_patterns"
cp "$golden" "$seeds/settings/golden"
{ jq .imeIndicator "$golden"; printf '\0'; jq .clock "$golden"; } >"$seeds/settings/legacy"
for key in customDateFormat1 customDateFormat2 customTimeFormat1 customTimeFormat2; do
    jq -j ".clock.$key" "$golden" >"$seeds/date_patterns/$key"
done
# fuzz TARGET: runs one fuzzer; -max_total_time stops a clean run with status 0, a crash
# or report stops it with 1.
fuzz() {
    local corpus=$build_dir/fuzz/corpus-$1
    mkdir -p "$corpus"
    "$build_dir/fuzz/fuzz_$1" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build_dir/fuzz/crash-$1-" "$corpus" "$seeds/$1" \
        2>"$build_dir/fuzz/$1.log"
}
# Both at once, one a core.
declare -A pids
for target in settings date_patterns; do
    fuzz "$target" &
    pids[$target]=$!
done
failed=0
for target in settings date_patterns; do
    if wait "${pids[$target]}"; then
        echo "fuzz_$target: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build_dir/fuzz/$target.log" | grep -o '[0-9]*$') executions in ${seconds} s"
    else
        tail -40 "$build_dir/fuzz/$target.log" >&2
        echo "fuzz_$target failed; the input is in $build_dir/fuzz/crash-$target-*" >&2
        failed=1
    fi
done
exit $failed
