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

# The build runs some of its own programs (the icon and the manual writers). Their leaks are
# of no interest, and the leak check at their exit must not be what fails a build.
ASAN_OPTIONS="detect_leaks=0" cmake --build build-asan --parallel

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"

# On some machines the leak checker itself crashes now and then while it stops a program's
# threads at exit ("Tracer caught signal 11", "LeakSanitizer has encountered a fatal error"),
# after every test in that program has passed. That is no finding about this program: the
# tests that failed run once more, and only when the checker crashed. A real leak, an address
# error or a failed test fails again on the second run.
log=build-asan/ctest-output.log
if ctest --test-dir build-asan --output-on-failure --parallel 2 2>&1 | tee "$log"; then
    exit 0
fi
if ! grep -q "LeakSanitizer has encountered a fatal error" "$log"; then
    exit 1
fi
echo "The leak checker crashed in a test program; running the failed tests once more."
ctest --test-dir build-asan --output-on-failure --rerun-failed
