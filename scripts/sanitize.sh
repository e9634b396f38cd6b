#!/usr/bin/env bash
# Builds everything with g++ (the compiler the program ships with, so its warnings are the ones
# that count) under AddressSanitizer and UBSan into build-check/ (or $CHECK_BUILD_DIR), and
# runs the whole suite there. Any sanitizer report fails the run. -O1 keeps the warnings that
# need flow analysis and the suite quick; -g1 is enough for the reports' file and line.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${CHECK_BUILD_DIR:-build-check}"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DTALVEX_SANITIZE=ON -DBUILD_TESTING=ON >/dev/null
cmake --build "$build_dir" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan-unwinding-through-qt.supp"
ctest --test-dir "$build_dir" --output-on-failure -j"${TEST_JOBS:-3}" --timeout 600
