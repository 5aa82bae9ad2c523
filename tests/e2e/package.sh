#!/usr/bin/env bash
# Builds the Debian package twice with scripts/package.sh, each time from a
# clean copy of the tree in a folder of its own and at another time: first
# with the source package and the build's own tests, then binary only
# without them. The two builds must give the same .deb files, bit for bit.
# Then checks the package as Debian would: lintian on the .changes (source
# and binaries), hardening-check on the game, the control fields, the
# desktop entry and the AppStream metadata, the list of files. Plays the
# unpacked game from an empty folder (installed.sh) and, last, makes sure
# the launcher fails with a message when its data folder is missing.
# Building never installs anything: the build dependencies must be there.
#   package.sh VERSION APP_ID SCREENSHOT_DIR
. "$(dirname "$0")/lib.sh" 1280x720 "$3" "$@"
version=$1 id=$2
arch=$(dpkg --print-architecture)

# --- two builds, one package -----------------------------------------------------
build() { # NAME [DPKG-BUILDPACKAGE OPTION...]
  local name=$1
  shift
  bash "$top/scripts/package.sh" --no-install "$shots/$name" "$@" >"$shots/$name.log" 2>&1 ||
    { tail -30 "$shots/$name.log" >&2; fail "scripts/package.sh $* failed (log: $shots/$name.log)"; }
}
build full -us -uc
DEB_BUILD_OPTIONS=nocheck build binary
grep -q "tests passed, 0 tests failed" "$shots/full.log" || fail "the package's build ran no tests"
for p in vondrellex vondrellex-dbgsym; do
  deb=${p}_${version}_$arch.deb
  [ -f "$shots/full/$deb" ] || fail "no package $deb"
  if ! cmp "$shots/full/$deb" "$shots/binary/$deb"; then
    if command -v diffoscope >/dev/null; then
      diffoscope --text "$shots/diffoscope-$p.txt" "$shots/full/$deb" "$shots/binary/$deb" || true
      head -40 "$shots/diffoscope-$p.txt" >&2
    fi
    fail "two builds of the same source give different $deb"
  fi
  echo "package: $deb $(stat -c %s "$shots/full/$deb") bytes, sha256 $(sha256sum <"$shots/full/$deb" | cut -c1-64)"
done
deb=$shots/full/vondrellex_${version}_$arch.deb
pass

# --- as Debian checks it ---------------------------------------------------------
root=$(mktemp -d)
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop entry"
# The project has no public home page. AppStream 1.0 warns of that, and
# lintian, which runs the same check, with it: that one warning is let
# through; nothing else may be less than clean.
lintian_flags=()
if ! appstreamcli validate --pedantic --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$shots/appstream.txt" 2>&1; then
  grep -q '^W: .*url-homepage-missing' "$shots/appstream.txt" &&
    ! grep -E '^[EW]:' "$shots/appstream.txt" | grep -v 'url-homepage-missing' ||
    { cat "$shots/appstream.txt" >&2; fail "AppStream metadata"; }
  lintian_flags=(--suppress-tags appstream-metadata-validation-failed)
fi
lintian --pedantic -E -I --fail-on error,warning "${lintian_flags[@]}" \
  "$shots/full/vondrellex_${version}_$arch.changes" >"$shots/lintian.txt" 2>&1 ||
  { cat "$shots/lintian.txt" >&2; fail "lintian reports errors or warnings"; }
game=$root/usr/lib/games/vondrellex/vondrellex
# The five protections Debian's flags give on every release. (Control-flow
# and branch protection depend on the release's toolchain and architecture.)
hardening-check "$game" >"$shots/hardening.txt" || true
for protection in "Position Independent Executable" "Stack protected" "Fortify Source functions" \
  "Read-only relocations" "Immediate binding"; do
  grep -q "^ $protection: yes" "$shots/hardening.txt" || { cat "$shots/hardening.txt" >&2; fail "not hardened: $protection"; }
done
pass

[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"
dpkg-deb -f "$deb" Depends | grep -q "libsfml-graphics" || fail "Depends does not name the game's libraries"
dpkg-deb -f "$deb" Depends | grep -q "fonts-dejavu-core" || fail "Depends does not name the theme's fonts"
# The description as every front end shows it: plain apostrophes.
description=$(dpkg-deb -f "$deb" Description)
[[ $description == *"the game's own source code."* && $description != *"&"* ]] ||
  fail "the description does not read as written: $description"
pass

# Exactly these files: the game, its data, the console's sources (as listed
# in the generator), icons, desktop files, manual and docs; no tests, tools
# or benchmarks.
data=usr/share/games/vondrellex
sizes="16 22 24 32 48 64 128 256"
sources=$(grep -o '"src/[^"]*"' "$top/src/mashtextgen.cpp" | tr -d '"')
[ "$(echo "$sources" | wc -l)" -gt 30 ] || fail "cannot read the console's file list"
{
  echo usr/games/vondrellex
  echo usr/lib/games/vondrellex/vondrellex
  for f in Vondrellex.ogg logo1.png logo.png worldmap.png icons/vondrellex-64.png Themes/Vondrellex.theme \
    $sources; do echo "$data/$f"; done
  for s in $sizes; do echo "usr/share/icons/hicolor/${s}x$s/apps/$id.png"; done
  echo "usr/share/applications/$id.desktop"
  echo "usr/share/metainfo/$id.metainfo.xml"
  echo usr/share/man/man6/vondrellex.6.gz
  echo usr/share/doc/vondrellex/copyright
  echo usr/share/doc/vondrellex/changelog.gz
} | sort >"$shots/expected-files.txt"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort >"$shots/files.txt"
diff -u "$shots/expected-files.txt" "$shots/files.txt" >&2 || fail "the package's files differ from the expected list"
for s in $sizes; do
  [ "$(identify -format %wx%h "$root/usr/share/icons/hicolor/${s}x$s/apps/$id.png")" = "${s}x$s" ] || fail "icon size $s"
done
cmp "$root/$data/icons/vondrellex-64.png" "$top/icons/vondrellex-64.png" || fail "the window's icon is not the game's"
pass

# --- the unpacked game, from an unrelated folder --------------------------------
bash "$(dirname "$0")/installed.sh" "$root" "$shots/installed" || fail "the unpacked game does not play"
pass

# --- the launcher without its data folder ---------------------------------------
mv "$root/$data" "$root/$data.away"
empty=$(mktemp -d)
status=0
(cd "$empty" && exec "$root/usr/games/vondrellex" >"$shots/nodata.out" 2>"$shots/nodata.err") || status=$?
[ "$status" -ne 0 ] || fail "the launcher succeeded without its data folder"
grep -q "data folder is missing" "$shots/nodata.err" || fail "no clear message without the data folder"
[ ! -s "$shots/nodata.out" ] || fail "the launcher printed on standard output"
rm -r "$root" "$empty"
pass
summary package "screenshots in $shots"
