#!/usr/bin/env bash
# Photographs TALVEX's windows on a virtual X display against the simulator, for docs/:
#   scripts/screenshot.sh            -> docs/radio-window.png
# Needs a build (scripts/build.sh); installs the X tools it uses.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
command -v import >/dev/null || { apt-get install -y -qq --no-install-recommends imagemagick x11-utils >/dev/null; }

work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
cp demo/TALVEX.INI demo/TALVEX.TXT demo/sim-memory.txt "$work/"
cd "$work"
"$root/build/sim/talvex-sim" --link COM1 --baud 19200 --callsign N0CALL --memory sim-memory.txt >sim.log 2>&1 &
for _ in $(seq 50); do grep -q ready sim.log && break; sleep 0.1; done

export DISPLAY=:97
Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 &
sleep 1
"$root/build/app/talvex" >talvex.log 2>&1 &
sleep "${SHOT_DELAY:-4}"
mkdir -p "$root/docs"
import -window "$(xwininfo -root -tree | awk '/"Radio Operations"/ {print $1; exit}')" "$root/docs/radio-window.png"
echo "wrote docs/radio-window.png"
