#!/usr/bin/env bash
# Configures and builds Mirevo into build/ (or $MIREVO_BUILD_DIR).
# Usage: scripts/build.sh [TARGET...]   (default: everything, tests and benchmarks included)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${MIREVO_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} >/dev/null
# Ninja does not rerun moc for a file added to a globbed folder; dropping the autogen
# stamps makes every build rescan (quick when nothing changed).
find "$build_dir" -path '*_autogen/timestamp' -delete 2>/dev/null || true
targets=()
[ $# -gt 0 ] && targets=(--target "$@")
cmake --build "$build_dir" -j "${MIREVO_JOBS:-$(nproc)}" "${targets[@]}"
