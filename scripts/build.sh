#!/usr/bin/env bash
# Installs what ケルナ needs, configures (Release) and builds; arguments name targets.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
[ -f build/CMakeCache.txt ] && generator=()
cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build -j"$(nproc)" "${targets[@]}"
