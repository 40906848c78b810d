#!/usr/bin/env bash
# Builds the whole program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs every test there. Leaks inside the system's own libraries (fonts,
# Qt's caches kept for the life of the process) are suppressed; ours are not.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S . -B build-asan "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug -DLOTO6_SANITIZE=ON >/dev/null
cmake --build build-asan --parallel
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
ctest --test-dir build-asan --output-on-failure --parallel 2
