#!/usr/bin/env bash
# Builds the Debian package of the program into build/ (or the build folder given as the first
# argument): loto6yorune_<version>_<arch>.deb. Install it with
#   sudo apt install ./build/loto6yorune_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bash scripts/install-deps.sh
if [ "$build" = build ]; then
    bash scripts/configure.sh
elif [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOTO6_BUILD_TESTS=OFF
fi
cmake --build "$build" --parallel
rm -f "$build"/loto6yorune_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/loto6yorune_*.deb
