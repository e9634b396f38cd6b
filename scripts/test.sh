#!/usr/bin/env bash
# Installs what is needed, builds the program, the simulator and the tests once under
# AddressSanitizer and UBSan, and runs the whole suite on that build. Beside the suite, which
# mostly waits on the simulator's line, the decoder fuzz target is built with clang
# and run for its 30 s, and the programs are built once more as a Release build (no tests run
# there): both at the lowest priority, so that they take only the time the suite leaves, and
# their output follows the suite's.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/sanitize.sh --build-only

side_log=$(mktemp)
(nice -n 19 ./scripts/fuzz.sh && nice -n 19 ./scripts/release-build.sh) >"$side_log" 2>&1 &
side=$!
trap 'kill "$side" 2>/dev/null || true; rm -f "$side_log"' EXIT
suite=0
./scripts/sanitize.sh --test-only || suite=$?
side_status=0
wait "$side" || side_status=$?
echo "--- the fuzz target and the Release build"
cat "$side_log"
if [ "$suite" -ne 0 ] || [ "$side_status" -ne 0 ]; then
  echo "test.sh: the suite exited $suite, the fuzz run and Release build $side_status" >&2
  exit 1
fi
