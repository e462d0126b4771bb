#!/usr/bin/env bash
# Installs what the program and its tests need, builds everything and runs the whole test suite.
# Usage: scripts/test.sh [build-folder] [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
scripts/install-deps.sh
scripts/build.sh "$build" -DBUILD_TESTING=ON "$@"
ctest --test-dir "$build" --output-on-failure --timeout 900
