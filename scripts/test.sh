#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite through CTest; then the
# unit tests under AddressSanitizer and UndefinedBehaviorSanitizer and the fuzz targets
# for a minute each, in a second build folder (scripts/sanitize.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
scripts/build.sh
(cd "${MIREVO_BUILD_DIR:-build}" && ctest --output-on-failure --timeout 600 "$@")
scripts/sanitize.sh
