#!/usr/bin/env bash
# Builds the benchmarks optimised, without sanitizers, and runs them. Each
# prints a ratio against a baseline measured in the same run.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages cmake make g++ googletest libgtest-dev libbenchmark-dev python3

dir=$QB_BUILD/bench
[ -f "$dir/CMakeCache.txt" ] ||
  cmake -S "$QB_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DQB_SANITIZE=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" --target qb_scan_benchmark >/dev/null
"$dir/bench/qb_scan_benchmark" "$@"
