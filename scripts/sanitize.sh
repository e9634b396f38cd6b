#!/usr/bin/env bash
# Builds everything with g++ (the compiler the program ships with, so its warnings are the ones
# that count) under AddressSanitizer and UBSan into build-check/ (or $CHECK_BUILD_DIR), and
# runs the whole suite there. Any sanitizer report fails the run. Unoptimised: at -O1 the build
# took half as long again (5 min 19 s against 3 min 32 s) to save the suite 11 s, and the
# warnings that need GCC's flow analysis are the Release build's to find
# (scripts/release-build.sh). -g1 is enough for the reports' file and line. Six tests at a time
# on two cores: most of them wait on the simulated line, not on the processor. At four the
# suite took 154 s; at eight 94 s, but with compilers beside it a radio's answer came later
# than its window once, so six: about 120 s, even beside two compilers.
#   scripts/sanitize.sh [--build-only | --test-only]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${CHECK_BUILD_DIR:-build-check}"
source scripts/cmake-generator.sh "$build_dir"
step="${1:-}"
if [ "$step" != "--test-only" ]; then
  cmake "${generator[@]}" -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g1" \
    -DTALVEX_SANITIZE=ON -DBUILD_TESTING=ON >/dev/null
  cmake --build "$build_dir" -j"$(nproc)"
fi
[ "$step" = "--build-only" ] && exit 0

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan-unwinding-through-qt.supp"
ctest --test-dir "$build_dir" --output-on-failure -j"${TEST_JOBS:-6}" --timeout 600
