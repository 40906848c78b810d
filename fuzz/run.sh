#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (seconds, default
# 60) from its seed corpus. A crash leaves its reproducer in fuzz/findings/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bash scripts/install-deps.sh
for p in clang libclang-rt-14-dev; do
    dpkg -s "$p" >/dev/null 2>&1 && continue
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
    break
done
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
