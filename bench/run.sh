#!/usr/bin/env bash
# Builds the program optimised and runs every benchmark once, printing the figures and the
# summary against the targets. Extra arguments go to Google Benchmark (e.g. a filter).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
dpkg -s libbenchmark-dev >/dev/null 2>&1 || {
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get install -y -qq libbenchmark-dev
}
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DLOTO6_BUILD_TESTS=OFF \
      -DLOTO6_BUILD_BENCH=ON >/dev/null
cmake --build build-bench --parallel
build-bench/bin/bench_endless_download
exec build-bench/bin/loto6_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
     --benchmark_color=false "$@"
