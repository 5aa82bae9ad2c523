#!/usr/bin/env bash
# Installs what is missing (through sudo when not root), builds the game and
# starts it from the folder that holds its data files.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Vondrellex needs a graphical desktop, and this session has none (DISPLAY is not set)." >&2
  echo "Run this command from a terminal on your desktop." >&2
  exit 1
fi

bash scripts/install-deps.sh play
cmake -S . -B build/play -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVONDRELLEX_BENCHMARKS=OFF >/dev/null
cmake --build build/play --target vondrellex -j"$(nproc)"
exec ./build/play/vondrellex
