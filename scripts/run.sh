#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it from its installation folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DBUILD_TESTING=OFF
exec build/app/vezudiri
