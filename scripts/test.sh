#!/usr/bin/env bash
# Installs what is needed, builds the program, the simulator and the tests once under
# AddressSanitizer and UBSan, runs the whole suite on that build, then the decoder fuzz target,
# then builds the program and the simulator once more as a Release build (no tests run there).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/sanitize.sh
./scripts/fuzz.sh
./scripts/release-build.sh
