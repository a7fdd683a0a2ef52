#!/usr/bin/env bash
# Installs what is missing, builds a release of Mirevo into build-release/ and makes the
# Debian package there; prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package
export MIREVO_BUILD_DIR=build-release CMAKE_BUILD_TYPE=Release
scripts/build.sh mirevo
(cd build-release && cpack -G DEB >/dev/null)
ls "$PWD"/build-release/mirevo_*.deb
