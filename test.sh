#!/usr/bin/env bash
# Installs what ケルナ needs, builds everything and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
