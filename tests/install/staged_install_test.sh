#!/usr/bin/env bash
# Installs the build into a staging prefix and checks what a desktop user gets from it; runs
# the freedesktop.org validators on the desktop entry and the metainfo when they are present.
set -uo pipefail
cmake_command=$1 build_dir=$2 source_dir=$3 app_id=$4
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$cmake_command" --install "$build_dir" --prefix "$stage/usr" >"$stage/install.log" 2>&1 \
  || { cat "$stage/install.log"; echo "FAIL: cmake --install"; exit 1; }
prefix="$stage/usr"

# The two programs, and nothing else beside them (no test binaries, libraries or headers).
for program in talvex talvex-mem talvex-sim; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program missing or not executable"
done
extra=$(cd "$prefix" && find . -type f \( -path './bin/*' -o -path './lib*' -o -path './include/*' \) \
  ! -path ./bin/talvex ! -path ./bin/talvex-mem ! -path ./bin/talvex-sim)
[ -z "$extra" ] || fail "installed beside the programs: $extra"

# The command line answers without a display, and its man page is in place.
[ "$("$prefix/bin/talvex-mem" --version)" = "talvex-mem 2.0" ] || fail "staged talvex-mem --version"
[ -s "$prefix/share/man/man1/talvex-mem.1" ] || fail "share/man/man1/talvex-mem.1 missing"

# The staged simulator opens its line, answers the control channel and removes its link.
mkdir "$stage/run"
ready=$(cd "$stage/run" && echo quit | timeout 10 "$prefix/bin/talvex-sim" --link COM7 2>&1)
[[ "$ready" == "talvex-sim: ready on COM7 -> /dev/pts/"* ]] || fail "staged talvex-sim did not come up: $ready"
[ ! -e "$stage/run/COM7" ] || fail "talvex-sim left its COM7 link behind after quit"

# Desktop entry, icon and metainfo point at each other and at bin/.
desktop="$prefix/share/applications/$app_id.desktop"
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
icon="$prefix/share/icons/hicolor/scalable/apps/$app_id.svg"
for file in "$desktop" "$metainfo" "$icon"; do
  [ -s "$file" ] || fail "${file#"$prefix"/} missing or empty"
done
exec_line=$(sed -n 's/^Exec=//p' "$desktop" 2>/dev/null)
[ -n "$exec_line" ] && [ -x "$prefix/bin/${exec_line%% *}" ] || fail "desktop entry runs '$exec_line', not an installed program"
[ "$(sed -n 's/^Icon=//p' "$desktop" 2>/dev/null)" = "$app_id" ] || fail "desktop entry does not name the icon $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" 2>/dev/null \
  || fail "metainfo does not launch $app_id.desktop"
! grep -q '@[A-Z_]*@' "$desktop" "$metainfo" 2>/dev/null || fail "unsubstituted @VARIABLE@ in the installed files"
grep -q '<svg[^>]*viewBox=' "$icon" 2>/dev/null && grep -q '</svg>' "$icon" || fail "icon is not a complete SVG drawing"

# The documentation is the project's own, with every picture and document README links to where
# its link points.
doc="$prefix/share/doc/talvex"
for pair in README.md:README.md sim/README.md:talvex-sim.md demo/TALVEX.TXT:TALVEX.TXT; do
  cmp -s "$source_dir/${pair%%:*}" "$doc/${pair##*:}" || fail "share/doc/talvex/${pair##*:} is not ${pair%%:*}"
done
for linked in $(grep -o '(docs/[^)]*\.\(png\|md\))' "$source_dir/README.md" | tr -d '()'); do
  [ -s "$doc/$linked" ] || fail "README links to $linked, not installed with it"
done

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

((failures == 0)) || { echo "$failures check(s) failed"; exit 1; }
echo "staged install in order: $(cd "$prefix" && find . -type f | wc -l) files"
