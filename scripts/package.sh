#!/usr/bin/env bash
# Builds the Debian package build/package/vondrellex_VERSION_ARCH.deb.
#   scripts/package.sh [BUILD_DIR [OUTPUT_DIR]]
# Installs what is missing, builds the game in the release build folder of
# ./scripts/test.sh (build/release, same configuration: after a test run
# nothing is compiled again, and CPack strips the debugging symbols) and packs
# it with CPack's DEB generator.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
out=$(mkdir -p "${2:-build/package}" && cd "${2:-build/package}" && pwd)

bash scripts/install-deps.sh
# A Debian package installs under /usr, whatever prefix the folder had. A new
# folder gets the project's default build type, the one the tests use.
cmake -S . -B "$build" -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" --target vondrellex -j"$(nproc)"
rm -f "$out"/vondrellex_*.deb
cpack --config "$build/CPackConfig.cmake" -B "$out"
ls "$out"/vondrellex_*.deb
