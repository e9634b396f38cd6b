#!/usr/bin/env bash
# Photographs TALVEX's windows on a virtual X display against the simulator, for docs/:
#   scripts/screenshot.sh          -> docs/{splash,radio-window,memory-window,setup-window,data-file-window,channel-editor}.png
#   scripts/screenshot.sh editor   -> docs/channel-editor.png alone
# Needs a build (scripts/build.sh; another folder as BUILD_DIR); installs the X tools it uses.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
build="${BUILD_DIR:-build}"
shots="${1:-all}"
command -v import >/dev/null && command -v xdotool >/dev/null && command -v xwininfo >/dev/null \
  || apt-get install -y -qq --no-install-recommends imagemagick x11-utils xdotool >/dev/null

work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY="${SCREENSHOT_DISPLAY:-:97}"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 &
sleep 1
window_of() { xwininfo -root -tree | awk -v title="\"$1\"" 'index($0, title) {print $1; exit}'; }
mkdir -p "$root/docs"

if [ "$shots" = all ]; then
cp demo/TALVEX.INI demo/TALVEX.TXT demo/sim-memory.txt "$work/"
cd "$work"
"$root/$build/sim/talvex-sim" --link COM1 --baud 19200 --callsign N0CALL --memory sim-memory.txt >sim.log 2>&1 &
sim_pid=$!
for _ in $(seq 50); do grep -q ready sim.log && break; sleep 0.1; done
"$root/$build/app/talvex" >talvex.log 2>&1 &
talvex_pid=$!
sleep 1
# The splash has no title: it is the window of its size in front.
import -window root -crop 501x444+389+290 "$root/docs/splash.png" || true
echo "wrote docs/splash.png"
sleep "${SHOT_DELAY:-3}"
radio="$(window_of "Radio Operations")"
import -window "$radio" "$root/docs/radio-window.png"
echo "wrote docs/radio-window.png"

# "go to Memory Window", then a View File of the demo file so the fields hold a channel.
xdotool mousemove --window "$radio" 812 277 click 1
sleep 1
memory="$(window_of "Memory Operations")"
xdotool mousemove --window "$memory" 40 360 click 1
sleep "${VIEW_SECONDS:-3}"
import -window "$memory" "$root/docs/memory-window.png"
echo "wrote docs/memory-window.png"

# "Change Data File" in the Memory window.
xdotool mousemove --window "$memory" 88 300 click 1
sleep 1
import -window "$(window_of "Data File Setup")" "$root/docs/data-file-window.png"
echo "wrote docs/data-file-window.png"

# "Setup" in the Radio window's menu bar.
xdotool windowraise "$radio"
sleep 0.5
xdotool mousemove --window "$radio" 175 9 click 1
sleep 1
import -window "$(window_of "System Setup")" "$root/docs/setup-window.png"
echo "wrote docs/setup-window.png"

fi

# The Channel Editor on a file Create File wrote from a radio holding data mode, tones, split
# and select groups (the tests' rich memory): TALVEX again in a folder of its own, its Create
# File from the Memory window, then "Edit Channels…", the first item of its File menu, the
# cursor on channel 11's transmit frequency.
[ -n "${talvex_pid:-}" ] && kill "$talvex_pid" "$sim_pid" 2>/dev/null && wait "$talvex_pid" "$sim_pid" 2>/dev/null || true
mkdir -p "$work/rich"
cd "$work/rich"
cp "$root/demo/TALVEX.INI" "$root/demo/TALVEX.TXT" .
cp "$root/tests/support/rich-memory.txt" sim-memory.txt
"$root/$build/sim/talvex-sim" --link COM1 --baud 19200 --callsign N0CALL --memory sim-memory.txt >sim.log 2>&1 &
for _ in $(seq 50); do grep -q ready sim.log && break; sleep 0.1; done
"$root/$build/app/talvex" >talvex.log 2>&1 &
sleep "${SHOT_DELAY:-3}"
radio="$(window_of "Radio Operations")"
xdotool mousemove --window "$radio" 812 277 click 1
sleep 1
memory="$(window_of "Memory Operations")"
xdotool mousemove --window "$memory" 120 360 click 1   # Create File
sleep 1
xdotool key Return                                     # its "Are you sure?"
# The new file replaces the old one only once it is whole: its record zones say it is there.
for _ in $(seq 120); do grep -qiE '^.{84}[0-9a-f]{82}' TALVEX.TXT && break; sleep 1; done
xdotool windowraise "$memory"
sleep 0.5
xdotool mousemove --window "$memory" 15 9 click 1
sleep 0.5
xdotool key Down Return
sleep 1
editor="$(window_of "Channel Editor - TALVEX.TXT")"
xdotool windowactivate "$editor" 2>/dev/null || true
xdotool windowsize "$editor" 1270 700
sleep 0.5
xdotool key ctrl+f
xdotool type "JS8 6M"
xdotool key Return Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
sleep 0.5
import -window "$editor" "$root/docs/channel-editor.png"
echo "wrote docs/channel-editor.png"
