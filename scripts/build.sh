#!/usr/bin/env bash
# Configures and builds into build/ (extra CMake arguments are passed on).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/configure.sh "$@"
cmake --build build --parallel
