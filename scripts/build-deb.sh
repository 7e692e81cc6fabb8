#!/usr/bin/env bash
# Builds a Debian package of ケルナ (Release, installed under /usr) into build-deb/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
[ -f build-deb/CMakeCache.txt ] && generator=()
# Debian's own build flags, hardening included; no debugging information, as the package
# ships the program stripped.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all" DEB_CXXFLAGS_MAINT_STRIP="-g"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
# Qt's Japanese texts come from qt6-translations-l10n, which the package depends on.
cmake -S . -B build-deb "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_INSTALL_PREFIX=/usr -DKERUNA_BUILD_TESTS=OFF -DKERUNA_BUILD_BENCH=OFF \
  -DKERUNA_COPY_QT_TRANSLATIONS=OFF >/dev/null
cmake --build build-deb -j"$(nproc)" --target keruna keruna_docs
(cd build-deb && cpack -G DEB >/dev/null)
ls build-deb/*.deb
