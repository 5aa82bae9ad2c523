#!/usr/bin/env bash
# Builds the Debian package as Debian builds it: dpkg-buildpackage on a clean
# copy of this tree, in a folder of its own. Leaves in OUTPUT_DIR (default
# build/package) vondrellex_VERSION_ARCH.deb, its debugging symbols
# vondrellex-dbgsym_VERSION_ARCH.deb, and the .buildinfo and .changes files.
#   scripts/package.sh [--no-install] [OUTPUT_DIR [DPKG-BUILDPACKAGE OPTION...]]
# First installs the build dependencies debian/control names (through sudo
# when not root); --no-install leaves that out, and the build then fails if
# one is missing. The options default to -us -uc -b (binary packages only,
# unsigned); DEB_BUILD_OPTIONS is passed on (nocheck skips the tests).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
install=1
if [ "${1:-}" = --no-install ]; then
  install=0
  shift
fi
out=${1:-$top/build/package}
shift || true
options=("$@")
[ ${#options[@]} -gt 0 ] || options=(-us -uc -b)

step() { echo "== package: $*"; }
[ $install -eq 0 ] || bash "$top/scripts/install-deps.sh" package

# The copy holds what git tracks (and new files it would add), as they stand
# in the working tree; without git, everything but git's and build folders.
work=$(mktemp -d "${TMPDIR:-/tmp}/vondrellex-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
version=$(cd "$top" && dpkg-parsechangelog -S Version)
tree=$work/vondrellex-$version
mkdir "$tree"
step "copying the tree to $tree"
if command -v git >/dev/null && git -C "$top" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$top" && git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf -) | tar -C "$tree" -xf -
else
  tar -C "$top" --exclude=./.git --exclude='./build*' -cf - . | tar -C "$tree" -xf -
fi

case " ${DEB_BUILD_OPTIONS:-} " in
  *" parallel="*) ;;
  *) export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:+$DEB_BUILD_OPTIONS }parallel=$(nproc)" ;;
esac
step "dpkg-buildpackage ${options[*]} (DEB_BUILD_OPTIONS=$DEB_BUILD_OPTIONS)"
(cd "$tree" && dpkg-buildpackage "${options[@]}")

mkdir -p "$out"
rm -f "$out"/vondrellex[_-]*
find "$work" -maxdepth 1 -type f -name 'vondrellex*' -exec mv -t "$out" {} +
step "made, in $out:"
ls "$out"/vondrellex*.deb
