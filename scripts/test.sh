#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
scripts/build.sh
cd "${MIREVO_BUILD_DIR:-build}"
ctest --output-on-failure --timeout 600 "$@"
