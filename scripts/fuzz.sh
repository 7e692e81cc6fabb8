#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) in build-fuzz and fuzzes
# each for the given seconds (default 600):  scripts/fuzz.sh [seconds] [target...]
# Targets: wordlist settings itemtext. New interesting inputs are merged into
# build-fuzz/corpus/<target> (the committed seeds in fuzz/corpus/<target> are read, never
# written); crashes go to build-fuzz/artifacts/<target>/. JOBS sets the build's
# parallelism; KEEP_GOING=1 fuzzes on past a crash and collects every one.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(wordlist settings itemtext)

./scripts/install-deps.sh
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
generator=()
command -v ninja >/dev/null && [ ! -f build-fuzz/CMakeCache.txt ] && generator=(-G Ninja)
CC=clang CXX=clang++ cmake -S . -B build-fuzz "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DKERUNA_FUZZ=ON -DKERUNA_BUILD_TESTS=OFF -DKERUNA_BUILD_BENCH=OFF >/dev/null
build=()
for t in "${targets[@]}"; do build+=(--target "keruna_${t}_fuzz"); done
cmake --build build-fuzz -j"${JOBS:-$(nproc)}" "${build[@]}"

keep=()
[ "${KEEP_GOING:-0}" = 1 ] && keep=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
# The targets write files on every run, and QSaveFile syncs each to disk: a RAM disk
# makes that several times faster.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t" "build-fuzz/artifacts/$t"
  log="build-fuzz/$t.log"
  echo "== $t: ${seconds}s, log in $log"
  if ! "build-fuzz/fuzz/keruna_${t}_fuzz" -max_total_time="$seconds" -timeout=20 \
    -rss_limit_mb=2048 -print_final_stats=1 "${keep[@]}" \
    -artifact_prefix="build-fuzz/artifacts/$t/" "build-fuzz/corpus/$t" "fuzz/corpus/$t" \
    >"$log" 2>&1; then
    status=1
  fi
  # The last progress line holds the executions so far (and exec/s); fork mode has no stat:: lines.
  grep -E '^#[0-9]+' "$log" | tail -1 || true
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec)|^INFO: exiting' "$log" || true
  echo "corpus: $(ls "build-fuzz/corpus/$t" | wc -l) files; findings: $(ls "build-fuzz/artifacts/$t" | wc -l)"
done
# A finding is made small with:  build-fuzz/fuzz/keruna_<target>_fuzz -minimize_crash=1
#   -runs=100000 -exact_artifact_path=fuzz/corpus/<target>/<name> <crash file>
exit $status
