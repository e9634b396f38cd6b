#!/usr/bin/env bash
# Builds the Debian package talvex_<version>_amd64.deb: an optimised build of TALVEX and the
# simulator alone (no tests, so neither GoogleTest nor Qt Test is needed) in build-package/
# (or $BUILD_DIR), packed by CPack. Install it with: apt install ./build-package/talvex_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
build_dir="${BUILD_DIR:-build-package}"
# The optimisation the test suite runs with (-O2); CPack strips the debug information.
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target talvex talvex-mem talvex-sim
rm -f "$build_dir"/talvex_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
package=$(ls "$build_dir"/talvex_*.deb)
echo "$package"
