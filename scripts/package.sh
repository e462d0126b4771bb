#!/usr/bin/env bash
# Builds the Debian package into dist/ and prints its path as the last line.
# Install it with: sudo apt-get install ./dist/<name>.deb
# Usage: scripts/package.sh [build-folder]   (default: build-package, a build without the tests)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}
scripts/install-deps.sh
scripts/build.sh "$build" -DBUILD_TESTING=OFF
rm -f "$build"/package/*.deb
cpack --config "$build/CPackConfig.cmake" -B "$build/package"
mkdir -p dist
deb=$(ls "$build"/package/*.deb)
cp "$deb" dist/
realpath "dist/$(basename "$deb")"
