#!/usr/bin/env bash
# Builds the Debian package with scripts/package.sh and checks it: lintian,
# the desktop entry and the AppStream file validate, and the package holds
# exactly the game's files. Then unpacks it (without installing it) and runs
# the unpacked launcher from an empty folder: the splash and the map picture
# show, typing fills the console from the installed sources, Escape ends
# with status 0. Last, the launcher without its data folder must fail with a
# message.
#   package.sh BUILD_DIR VERSION APP_ID SCREENSHOT_DIR
. "$(dirname "$0")/lib.sh" 1280x720 "$4" "$@"
build=$(readlink -f "$1") version=$2 id=$3

# --- the package --------------------------------------------------------------
bash "$top/scripts/package.sh" "$build" "$shots/deb" >"$shots/package.log" 2>&1 ||
  { tail -20 "$shots/package.log" >&2; fail "scripts/package.sh failed"; }
deb=$shots/deb/vondrellex_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no package $deb"
lintian --fail-on error,warning "$deb" >"$shots/lintian.txt" 2>&1 ||
  { cat "$shots/lintian.txt" >&2; fail "lintian reports errors or warnings"; }
dpkg-deb -f "$deb" Depends | grep -q "libsfml-graphics" || fail "Depends does not name the game's libraries"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"

root=$(mktemp -d)
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$shots/appstream.txt" 2>&1 ||
  { cat "$shots/appstream.txt" >&2; fail "AppStream metadata"; }

# Exactly these files: the game, its data, the console's sources (as listed
# in the generator), icons, desktop files, manual and docs; no tests, tools
# or benchmarks.
data=usr/share/games/vondrellex
sources=$(grep -o '"src/[^"]*"' "$top/src/mashtextgen.cpp" | tr -d '"')
[ "$(echo "$sources" | wc -l)" -gt 30 ] || fail "cannot read the console's file list"
{
  echo usr/games/vondrellex
  echo usr/lib/games/vondrellex/vondrellex
  for f in Vondrellex.ogg logo1.png logo.png worldmap.png Themes/Vondrellex.theme $sources; do echo "$data/$f"; done
  for s in 48 64 128 256; do echo "usr/share/icons/hicolor/${s}x$s/apps/$id.png"; done
  echo "usr/share/applications/$id.desktop"
  echo "usr/share/metainfo/$id.metainfo.xml"
  echo usr/share/man/man6/vondrellex.6.gz
  echo usr/share/doc/vondrellex/copyright
  echo usr/share/doc/vondrellex/changelog.gz
} | sort >"$shots/expected-files.txt"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort >"$shots/files.txt"
diff -u "$shots/expected-files.txt" "$shots/files.txt" >&2 || fail "the package's files differ from the expected list"
for s in 48 64 128 256; do
  [ "$(identify -format %wx%h "$root/usr/share/icons/hicolor/${s}x$s/apps/$id.png")" = "${s}x$s" ] || fail "icon size $s"
done
echo "package: $(stat -c %s "$deb") bytes, lintian clean, $(wc -l <"$shots/files.txt") files as expected"

# --- the unpacked game, from an unrelated folder --------------------------------
empty=$(mktemp -d)
start game "$empty" "$root/usr/games/vondrellex"
# The game's logo stands from 1.0 s to 2.5 s, centred.
await splash 10 shows "$top/logo.png"
[ "$(readlink "/proc/$pid/cwd")" = "$root/$data" ] || fail "the game does not run in its data folder"
# The status panel comes after the splash. The map picture stands at
# (106, 58) with the theme; above the console it matches the installed
# picture but for a label or two.
await desktop 30 lit 148x64+$((W - 148))+0
more 2000 "$(differ "$last" -crop 528x180+106+58 +repage \( "$top/worldmap.png" -crop 528x180+0+0 +repage \) -fuzz 8%)" ||
  fail "the map picture does not show"
# The console (at 384, 240) is empty, then fills with source text as we type.
text=500x240+388+262
lit $text 0.002 30 "$last" && fail "the console is not empty at the start"
# shellcheck disable=SC2046
xdotool key --delay 5 $(printf 'a %.0s' $(seq 300))
await typed 30 lit $text 0.02 30
quit game

# --- the launcher without its data folder ---------------------------------------
mv "$root/$data" "$root/$data.away"
status=0
(cd "$empty" && exec "$root/usr/games/vondrellex" >"$shots/nodata.out" 2>"$shots/nodata.err") || status=$?
[ "$status" -ne 0 ] || fail "the launcher succeeded without its data folder"
grep -q "data folder is missing" "$shots/nodata.err" || fail "no clear message without the data folder"
[ ! -s "$shots/nodata.out" ] || fail "the launcher printed on standard output"
rm -r "$root" "$empty"
echo "package: 3 passed, 0 failed (screenshots in $shots)"
