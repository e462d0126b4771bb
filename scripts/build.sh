#!/usr/bin/env bash
# Configures and builds the program and its tests into a build folder (default: build).
# Usage: scripts/build.sh [build-folder] [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build" -j2
