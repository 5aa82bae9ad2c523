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
    # The tests, the benchmarks, and the virtual display the tests drive;
    # the formatter whose version the style check pins.
    googletest libgtest-dev libbenchmark-dev clang-format-14
    xvfb xauth x11-utils xdotool imagemagick
    # Building and checking the Debian package: dpkg-shlibdeps (for Depends)
    # and file (which CPack uses to find the binaries to strip and scan).
    dpkg-dev file lintian desktop-file-utils appstream
  )
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
  else
    echo "Missing packages (${missing[*]}) and not root, and sudo is not available." >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
