#!/usr/bin/env bash
# Installs what is needed, builds, and starts TALVEX against the bundled radio simulator in a
# demo working folder (demo/run). Closing TALVEX stops the simulator.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
# Only what the demo runs: TALVEX and the simulator, not the tests and benchmarks. The same
# build folder and options as scripts/build.sh, so the benchmarks later build the rest there.
build_dir="${BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target talvex talvex-sim
bin_dir=$(cd "$build_dir" && pwd)

run_dir="demo/run"
mkdir -p "$run_dir"
cp demo/TALVEX.INI demo/TALVEX.TXT "$run_dir/"
[ -f "$run_dir/sim-memory.txt" ] || cp demo/sim-memory.txt "$run_dir/sim-memory.txt"

cd "$run_dir"
sim_log="sim.log"
"$bin_dir/sim/talvex-sim" --link COM1 --baud 19200 --callsign N0CALL \
  --memory sim-memory.txt --dial-every 15000 >"$sim_log" 2>&1 &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT

for _ in $(seq 50); do
  grep -q "ready" "$sim_log" 2>/dev/null && break
  sleep 0.1
done

# Without a display (a bare console), run on a virtual one so the demo still starts.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" = "" ]; then
  echo "No display found: starting TALVEX on a virtual X display (xvfb-run)." >&2
  xvfb-run -a "$bin_dir/app/talvex"
else
  "$bin_dir/app/talvex"
fi
