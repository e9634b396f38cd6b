#!/usr/bin/env bash
# Builds only the decoder fuzz target with clang, AddressSanitizer and UBSan, and runs it for
# FUZZ_SECONDS (30 by default). Any crash or sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${FUZZ_BUILD_DIR:-build-fuzz}"
source scripts/cmake-generator.sh "$build_dir"
CC=clang CXX=clang++ cmake "${generator[@]}" -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DTALVEX_FUZZ=ON -DTALVEX_SANITIZE=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target talvex_decoder_fuzz
corpus="$build_dir/fuzz-corpus"
mkdir -p "$corpus"
"$build_dir/tests/fuzz/talvex_decoder_fuzz" -max_total_time="${FUZZ_SECONDS:-30}" -max_len=256 \
  -print_final_stats=1 "$corpus"
