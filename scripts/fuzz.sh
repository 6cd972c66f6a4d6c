#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UBSan) and runs
# them; fails on any finding, which is kept in build/fuzz/findings/NAME/.
#
#   scripts/fuzz.sh [SECONDS]         every target, SECONDS each (default 20)
#   scripts/fuzz.sh NAME SECONDS      one target (NAME as in tests/fuzz)
set -euo pipefail
source "$(dirname "$0")/lib.sh"

ensure_packages cmake make clang libclang-rt-14-dev

dir=$QB_BUILD/fuzz
cmake -S "$QB_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQB_FUZZ=ON -DQB_WERROR=ON \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$dir" -j"$(nproc)" >/dev/null

# Runs one target over a working copy of its seeds; new inputs stay in the
# working corpus, the seeds in the tree are only read.
fuzz_target() {
  local name=$1 seconds=$2
  local corpus=$dir/corpus/$name findings=$dir/findings/$name
  mkdir -p "$corpus" "$findings"
  say "Fuzzing $name for $seconds seconds"
  "$dir/tests/fuzz/$name" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" "$QB_ROOT/tests/fuzz/corpus/${name%_fuzz}" 2>"$findings/log" ||
    { tail -n 30 "$findings/log" >&2; die "$name found a fault; the input is in $findings"; }
  grep -E '^stat::number_of_executed_units' "$findings/log" >&2 || true
}

if [ $# -ge 2 ]; then
  fuzz_target "$1" "$2"
else
  for source in "$QB_ROOT"/tests/fuzz/*_fuzz.cpp; do
    fuzz_target "$(basename "$source" .cpp)" "${1:-20}"
  done
fi
