#!/usr/bin/env bash
# Installs the Debian packages Vondrellex needs.
#   install-deps.sh         to build, test, package and play (everything)
#   install-deps.sh play    only what building and playing the game needs
# Idempotent: when everything is already present it only checks and returns.
set -euo pipefail

# Building and playing the game.
packages=(cmake g++ make pkg-config libsfml-dev libfontconfig1-dev fonts-dejavu-core)
if [ "${1:-}" != play ]; then
  packages+=(
    # The tests, the benchmarks, and the virtual display the tests drive.
    googletest libgtest-dev libbenchmark-dev
    xvfb xauth x11-utils xdotool imagemagick
    # Building and checking the Debian package: dpkg-shlibdeps (for Depends)
    # and file (which CPack uses to find the binaries to strip and scan).
    dpkg-dev file lintian desktop-file-utils appstream
  )
fi

# The formatter whose version the style check pins, where the release has it
# (Debian 12 does; 13 and later do not, and the style check is then skipped).
# Nothing else may be missing: building, testing and packing the game never
# need the formatter.
formatter=clang-format-14

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
available() { apt-cache show "$1" >/dev/null 2>&1; }
lists_fetched() { compgen -G '/var/lib/apt/lists/*_Packages*' >/dev/null; }

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
want_formatter=false
if [ "${1:-}" != play ] && ! installed "$formatter"; then
  want_formatter=true
fi

# Without package lists apt knows no package: whether the release has the
# formatter is only known after fetching them.
if [ ${#missing[@]} -eq 0 ] && { ! $want_formatter || { lists_fetched && ! available "$formatter"; }; }; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
  elif [ ${#missing[@]} -eq 0 ]; then
    exit 0 # only the formatter is in question, and it is optional
  else
    echo "Missing packages (${missing[*]}) and not root, and sudo is not available." >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
if $want_formatter && available "$formatter"; then
  missing+=("$formatter")
fi
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
