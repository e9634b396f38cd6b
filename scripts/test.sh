#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite, then the suite
# again under AddressSanitizer and UBSan and the decoder fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2 --timeout 300
./scripts/sanitize.sh
