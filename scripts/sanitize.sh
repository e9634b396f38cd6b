#!/usr/bin/env bash
# The suite again, built with clang under AddressSanitizer and UBSan in a second build folder,
# then the decoder fuzz target for FUZZ_SECONDS (30 by default). Any sanitizer report fails the
# run. Tests labelled "realtime" (whole memory operations against the simulator at wire speed)
# spend their time waiting on the line, not in the program: the first run covers them.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${SANITIZE_BUILD_DIR:-build-sanitize}"
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug \
  -DTALVEX_FUZZ=ON -DTALVEX_SANITIZE=ON -DBUILD_TESTING=ON >/dev/null
cmake --build "$build_dir" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Full stacks, so the suppressions can see which dispatch a leak came from.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan-unwinding-through-qt.supp:fast_unwind_on_malloc=0"
ctest --test-dir "$build_dir" --output-on-failure -j2 --timeout 600 --label-exclude realtime

FUZZ_BUILD_DIR="$build_dir" ./scripts/fuzz.sh
