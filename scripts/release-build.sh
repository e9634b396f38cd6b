#!/usr/bin/env bash
# Builds TALVEX and the simulator as `cmake -DCMAKE_BUILD_TYPE=Release` does, the build type a
# packager or a new user reaches for first, into build-release/ (or $RELEASE_BUILD_DIR). At -O3
# GCC's flow analysis reports warnings that the suite's -O1 build never sees, and our warnings
# are errors: this build is CI's check that they stay away. It builds only: the suite runs on
# the sanitizer build, and the tests need not be built a second time for it.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${RELEASE_BUILD_DIR:-build-release}"
source scripts/cmake-generator.sh "$build_dir"
cmake "${generator[@]}" -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target talvex talvex-mem talvex-sim
