#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite, then the decoder
# fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2 --timeout 300
FUZZ_SECONDS="${FUZZ_SECONDS:-30}" ./scripts/fuzz.sh
