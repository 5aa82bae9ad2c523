#!/usr/bin/env bash
# Installs every Debian package Vondrellex needs to build, test, package and play.
# Idempotent: when everything is already present it only checks and returns.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsfml-dev
  googletest libgtest-dev libbenchmark-dev
  libfontconfig1-dev fonts-dejavu-core
  xvfb xauth x11-utils xdotool imagemagick
  # Building and checking the Debian package: dpkg-shlibdeps (for Depends)
  # and file (which CPack uses to find the binaries to strip and scan).
  dpkg-dev file lintian desktop-file-utils appstream
)

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
