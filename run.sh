#!/usr/bin/env bash
# Installs what ケルナ needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/build.sh keruna
exec ./build/keruna "$@"
