#!/usr/bin/env bash
# Installs the Debian packages Vondrellex needs, through sudo when not root.
#   install-deps.sh          to build, test, package and play (everything)
#   install-deps.sh package  to build the Debian package: the build
#                            dependencies debian/control names, and no more
#   install-deps.sh play     to build the game and play it from this folder
#   install-deps.sh chroot   to make the clean chroots of scripts/test-in.sh
# Idempotent: when everything is already present it only checks and returns.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-all}

# The Build-Depends of debian/control without version constraints, leaving
# out debhelper and, with "nocheck", what only the package's tests need.
build_depends() {
  awk -v nocheck="${1:-}" '
    /^Build-Depends:/ { on = 1; sub(/^Build-Depends:/, "") }
    on && /^[^ \t]/ && !/^Build-Depends:/ { on = 0 }
    on { text = text " " $0 }
    END {
      n = split(text, items, ",")
      for (i = 1; i <= n; i++) {
        item = items[i]
        if (nocheck && item ~ /<!nocheck>/) continue
        sub(/[ \t]*[(<].*/, "", item); gsub(/[ \t]/, "", item)
        if (item != "" && item !~ /^debhelper/) print item
      }
    }' "$top/debian/control"
}

packages=()
case $mode in
  play)
    # The compiler and make, the libraries, and the fonts the theme names.
    packages=(g++ make fonts-dejavu-core $(build_depends nocheck)) ;;
  package) ;;
  chroot)
    packages=(mmdebstrap) ;;
  all)
    packages=(
      # The tests, the benchmarks and the virtual display the tests drive.
      $(build_depends) libbenchmark-dev xvfb xauth x11-utils xdotool imagemagick
      # The long game's probe (scripts/long-game.sh) types and watches
      # through XTest and XDamage.
      libxtst-dev libxdamage-dev
      # Checking the package: hardening-check is in devscripts; diffoscope
      # tells why two builds differ.
      lintian devscripts desktop-file-utils appstream diffoscope-minimal
    ) ;;
  *)
    echo "usage: $0 [package|play|chroot]" >&2
    exit 2 ;;
esac

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
# The style check pins one formatter version. A release without it builds
# and tests without the check (scripts/test.sh says so); whether this one
# has it, apt's lists tell, once they are there.
formatter=clang-format-14
with_formatter() {
  if [ "$mode" = all ] && ! installed "$formatter" && apt-cache show "$formatter" >/dev/null 2>&1; then
    missing+=("$formatter")
  fi
}
with_formatter
# The package's build dependencies, as dpkg-buildpackage checks them.
need_build_deps=0
if [[ $mode == all || $mode == package ]] && ! (cd "$top" && dpkg-checkbuilddeps >/dev/null 2>&1); then
  need_build_deps=1
fi
if [ ${#missing[@]} -eq 0 ] && [ $need_build_deps -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
  else
    echo "Missing packages and not root, and sudo is not available." >&2
    exit 1
  fi
fi
# apt's own progress goes to standard output, its errors to standard error.
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
if [ $need_build_deps -eq 1 ]; then
  echo "Installing the build dependencies of debian/control"
  $SUDO apt-get build-dep -y -qq --no-install-recommends "$top" >/dev/null
fi
[[ " ${missing[*]} " == *" $formatter "* ]] || with_formatter
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
