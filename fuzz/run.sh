#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (seconds, default
# 60) from its seed corpus. A crash leaves its reproducer in fuzz/findings/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DLOTO6_FUZZ=ON >/dev/null
cmake --build build-fuzz --parallel
mkdir -p fuzz/findings
status=0
for target in build-fuzz/bin/fuzz_*; do
    name=$(basename "$target")
    work=$(mktemp -d)
    echo "== $name (${seconds}s)"
    if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
         -artifact_prefix="fuzz/findings/$name-" -print_final_stats=1 \
         "$work" "fuzz/corpus/$name" 2>"$work.log"; then
        tail -n 40 "$work.log"
        status=1
    fi
    grep -E '^stat::number_of_executed_units|^Done' "$work.log" || true
    rm -rf "$work" "$work.log"
done
exit $status
