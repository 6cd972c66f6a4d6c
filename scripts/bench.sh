#!/usr/bin/env bash
# Builds the benchmarks optimised, without sanitizers, and runs them. Each
# prints a ratio against a baseline measured in the same run.
#
#   scripts/bench.sh                 every benchmark
#   scripts/bench.sh --scan [ARGS]   only the scan benchmark (native); ARGS go to it
#   scripts/bench.sh --fill [ARGS]   only the list fill benchmark, which drives the
#                                    real program under Wine; ARGS go to it
#   scripts/bench.sh --tick          only the guard's tick benchmark, under Wine
#   scripts/bench.sh --dump [ARGS]   only the demo window's dump benchmark, which drives
#                                    the real program under Wine; ARGS go to it
#   scripts/bench.sh --start [ARGS]  only the start-up benchmark: the program against a
#                                    minimal window program, under Wine; ARGS go to it
#   scripts/bench.sh --evidence      only the file evidence benchmark (hashing, and the
#                                    report's checks), under Wine
#   scripts/bench.sh --react [ARGS]  only the guard's reaction benchmark, which drives
#                                    the real program under Wine; ARGS go to it
set -euo pipefail
source "$(dirname "$0")/lib.sh"

scan=1
fill=1
tick=1
dump=1
start=1
evidence=1
react=1
case "${1:-}" in
  --scan) fill=0; tick=0; dump=0; start=0; evidence=0; react=0; shift ;;
  --fill) scan=0; tick=0; dump=0; start=0; evidence=0; react=0; shift ;;
  --tick) scan=0; fill=0; dump=0; start=0; evidence=0; react=0; shift ;;
  --dump) scan=0; fill=0; tick=0; start=0; evidence=0; react=0; shift ;;
  --start) scan=0; fill=0; tick=0; dump=0; evidence=0; react=0; shift ;;
  --evidence) scan=0; fill=0; tick=0; dump=0; start=0; react=0; shift ;;
  --react) scan=0; fill=0; tick=0; dump=0; start=0; evidence=0; shift ;;
esac

if [ $scan = 1 ]; then
  ensure_packages cmake make g++ googletest libgtest-dev libbenchmark-dev python3
  dir=$QB_BUILD/bench
  [ -f "$dir/CMakeCache.txt" ] ||
    cmake -S "$QB_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DQB_SANITIZE=OFF >/dev/null
  cmake --build "$dir" -j"$(nproc)" --target qb_scan_benchmark >/dev/null
  "$dir/bench/qb_scan_benchmark" "$@"
fi

if [ $fill = 1 ] || [ $tick = 1 ] || [ $dump = 1 ] || [ $start = 1 ] || [ $evidence = 1 ] ||
  [ $react = 1 ]; then
  ensure_packages cmake make mingw-w64 wine wine64 xvfb x11-utils fp-utils nsis osslsigncode openssl
  build_windows --target qb_fill_benchmark --target qb_tick_benchmark \
    --target qb_dump_benchmark --target qb_start_benchmark --target qb_evidence_benchmark \
    --target qb_react_benchmark >/dev/null
  # A prefix of its own: the benchmarks replace the registered helper objects.
  use_wine_prefix "$QB_CACHE_HOME/bench-prefix"
  start_virtual_display
  start_wine
  trap 'stop_wine; kill "$QB_XVFB_PID" 2>/dev/null || true' EXIT
  set_window_management N
fi

# Runs a benchmark of the Windows build under Wine: `SECONDS PROGRAM ARGS...`,
# PROGRAM below the build folder. The benchmark finds the build through
# QB_BUILD_DIR, as Wine names it: Wine maps the Unix root to Z:.
run_windows_benchmark() {
  local seconds=$1 program=$2
  shift 2
  QB_BUILD_DIR="Z:${QB_BUILD//\//\\}\\win" timeout "$seconds" \
    wine "$QB_BUILD/win/$program" "$@" </dev/null
}

if [ $tick = 1 ]; then
  say "Guard tick benchmark (under Wine)"
  run_windows_benchmark 600 qb_tick_benchmark.exe
fi

if [ $fill = 1 ]; then
  say "List fill benchmark (under Wine)"
  run_windows_benchmark 3600 bench/qb_fill_benchmark.exe "$@"
fi

if [ $dump = 1 ]; then
  say "Demo dump benchmark (under Wine)"
  run_windows_benchmark 1800 bench/qb_dump_benchmark.exe "$@"
fi

if [ $start = 1 ]; then
  say "Start-up benchmark (under Wine)"
  run_windows_benchmark 1800 bench/qb_start_benchmark.exe "$@"
fi

if [ $evidence = 1 ]; then
  say "File evidence benchmark (under Wine)"
  run_windows_benchmark 1800 bench/qb_evidence_benchmark.exe
fi

if [ $react = 1 ]; then
  say "Guard reaction benchmark (under Wine)"
  run_windows_benchmark 1800 bench/qb_react_benchmark.exe "$@"
fi
