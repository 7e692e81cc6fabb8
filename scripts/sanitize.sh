#!/usr/bin/env bash
# Builds the program and every test with AddressSanitizer and UndefinedBehaviorSanitizer
# (g++) in build-asan and runs the whole suite headless. UBSan does not recover, so any
# finding fails the test it happens in. JOBS sets the build's parallelism.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -O1"
generator=()
command -v ninja >/dev/null && [ ! -f build-asan/CMakeCache.txt ] && generator=(-G Ninja)
cmake -S . -B build-asan "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_MODULE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DKERUNA_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"${JOBS:-$(nproc)}"

# Leaks inside system libraries that the tests load (fontconfig, ICU, the speech
# client) are not ours to mend; leaks in our code still fail.
cat > build-asan/lsan.supp <<'SUPP'
leak:libfontconfig
leak:libdbus
leak:libglib
leak:libspeechd
leak:libicu
SUPP
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/build-asan/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-asan --output-on-failure -j"${JOBS:-$(nproc)}" "$@"
