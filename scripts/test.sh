#!/usr/bin/env bash
# Installs what is needed, builds the program, the simulator and the tests once under
# AddressSanitizer and UBSan, runs the whole suite on that build, then the decoder fuzz target
# and, beside it, a Release build of the program and the simulator (no tests run there).
#
# The fuzz run keeps one core busy for its half minute, so the Release build shares the two
# cores with it rather than waiting. Nothing runs beside the suite: its tests against the
# simulator keep the line's time, and a compiler beside them has cost them answers.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/sanitize.sh

fuzz_log="$(mktemp)"
# In a session of its own, so that a failed Release build stops the whole fuzz run with it.
setsid ./scripts/fuzz.sh >"$fuzz_log" 2>&1 &
fuzz=$!
trap 'kill -- "-$fuzz" 2>/dev/null || true; rm -f "$fuzz_log"' EXIT
./scripts/release-build.sh
if ! wait "$fuzz"; then
  cat "$fuzz_log"
  echo "The decoder fuzz run failed (its output above)." >&2
  exit 1
fi
tail -n 12 "$fuzz_log"
