#!/usr/bin/env bash
# Installs the build into a staging folder (cmake --install --prefix) and checks the result:
# the two programs are there and run, the desktop entry, icon and metainfo point at each other
# and at what was installed, the documentation is the project's own, nothing else comes along,
# and the freedesktop.org validators accept the entry and the metainfo when they are present.
set -uo pipefail
cmake_command=$1 build_dir=$2 source_dir=$3 app_id=$4

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! "$cmake_command" --install "$build_dir" --prefix "$stage" >"$stage.log" 2>&1; then
  cat "$stage.log"; rm -f "$stage.log"
  echo "FAIL: cmake --install"; exit 1
fi
rm -f "$stage.log"

# --- the programs ---
for program in talvex talvex-sim; do
  [ -f "$stage/bin/$program" ] && [ -x "$stage/bin/$program" ] || fail "bin/$program missing or not executable"
done
extra=$(cd "$stage" && find . -type f \( -path ./bin/\* -o -path ./lib\* -o -path ./include/\* \) \
  ! -path ./bin/talvex ! -path ./bin/talvex-sim)
[ -z "$extra" ] || fail "installed beside the programs (test or library files leaking in): $extra"

# The staged simulator opens its line and answers the control channel.
run_dir="$stage/run"
mkdir -p "$run_dir"
ready=$(cd "$run_dir" && echo quit | timeout 10 "$stage/bin/talvex-sim" --link COM7 2>&1)
[[ "$ready" == "talvex-sim: ready on COM7 -> /dev/pts/"* ]] || fail "staged talvex-sim did not come up: $ready"
[ ! -e "$run_dir/COM7" ] || fail "talvex-sim left its COM7 link behind after quit"

# --- desktop entry, icon and metainfo agree with each other and with bin/ ---
desktop="$stage/share/applications/$app_id.desktop"
metainfo="$stage/share/metainfo/$app_id.metainfo.xml"
icon="$stage/share/icons/hicolor/scalable/apps/$app_id.svg"
for file in "$desktop" "$metainfo" "$icon"; do
  [ -s "$file" ] || fail "${file#"$stage"/} missing or empty"
done
if [ -s "$desktop" ]; then
  exec_line=$(sed -n 's/^Exec=//p' "$desktop")
  [ -x "$stage/bin/${exec_line%% *}" ] || fail "desktop entry runs '$exec_line', not an installed program"
  icon_name=$(sed -n 's/^Icon=//p' "$desktop")
  [ "$icon_name" = "$app_id" ] || fail "desktop entry names icon '$icon_name', installed icon is $app_id"
fi
if [ -s "$metainfo" ]; then
  grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id is not $app_id"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
    || fail "metainfo does not launch $app_id.desktop"
  grep -q '@[A-Z_]*@' "$metainfo" "$desktop" && fail "unsubstituted @VARIABLE@ left in the installed files"
fi
if [ -s "$icon" ]; then
  grep -q '<svg[^>]*viewBox=' "$icon" && grep -q '</svg>' "$icon" || fail "icon is not a complete SVG drawing"
fi

# --- documentation: the project's README, the simulator's README and the sample data file ---
doc="$stage/share/doc/talvex"
for pair in "README.md:README.md" "sim/README.md:talvex-sim.md" "demo/TALVEX.TXT:TALVEX.TXT"; do
  source_file=${pair%%:*} installed=${pair##*:}
  cmp -s "$source_dir/$source_file" "$doc/$installed" || fail "share/doc/talvex/$installed differs from $source_file"
done
# Every picture the README shows is installed at the place its link names.
for picture in $(grep -o '(docs/[^)]*\.png)' "$source_dir/README.md" | tr -d '()'); do
  [ -s "$doc/$picture" ] || fail "README shows $picture, not installed under share/doc/talvex"
done

# --- validators ---
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
else
  echo "SKIP: desktop-file-validate not found (package desktop-file-utils); desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --no-color "$metainfo" || fail "appstreamcli rejects the metainfo"
else
  echo "SKIP: appstreamcli not found (package appstream); metainfo not validated"
fi

if ((failures)); then
  echo "$failures check(s) failed"; exit 1
fi
echo "staged install in order: $(cd "$stage" && find . -type f | wc -l) files"
