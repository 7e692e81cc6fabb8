#!/usr/bin/env bash
# Builds a Debian package of ケルナ (Release, installed under /usr) into build-deb/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
[ -f build-deb/CMakeCache.txt ] && generator=()
cmake -S . -B build-deb "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX=/usr -DKERUNA_BUILD_TESTS=OFF -DKERUNA_BUILD_BENCH=OFF >/dev/null
cmake --build build-deb -j"$(nproc)" --target keruna
(cd build-deb && cpack -G DEB >/dev/null)
ls build-deb/*.deb
