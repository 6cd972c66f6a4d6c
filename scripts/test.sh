#!/usr/bin/env bash
# Builds and runs every test: the portable core's unit tests natively (under
# AddressSanitizer and UBSan), then the end-to-end tests, which drive the
# real program under Wine on a virtual display.
#
#   scripts/test.sh                  everything
#   scripts/test.sh --unit [ARGS]    only the unit tests; ARGS go to ctest
#   scripts/test.sh --e2e [ARGS]     only the end-to-end tests (-R Scan, ...)
#   scripts/test.sh --fuzz [SECONDS] only the fuzz targets, SECONDS each
set -euo pipefail
source "$(dirname "$0")/lib.sh"

unit=1
e2e=1
fuzz=1
fuzz_seconds=${QB_FUZZ_SECONDS:-20}
case "${1:-}" in
  --unit) e2e=0; fuzz=0; shift ;;
  --e2e) unit=0; fuzz=0; shift ;;
  --fuzz) unit=0; e2e=0; fuzz_seconds=${2:-$fuzz_seconds}; shift ;;
esac

ensure_packages cmake make g++ googletest libgtest-dev python3 mingw-w64 wine wine64 xvfb x11-utils fp-utils nsis \
  osslsigncode openssl

if [ $unit = 1 ]; then
  say "Unit tests (native)"
  native=$QB_BUILD/native
  cmake -S "$QB_ROOT" -B "$native" -DCMAKE_BUILD_TYPE=Debug -DQB_WERROR=ON >/dev/null
  cmake --build "$native" -j"$(nproc)" >/dev/null
  (cd "$native" && ctest --output-on-failure --timeout 120 -j"$(nproc)" "$@")
fi

if [ $fuzz = 1 ]; then
  say "Fuzz targets (a short run each)"
  "$QB_ROOT/scripts/fuzz.sh" "$fuzz_seconds"
fi

if [ $e2e = 1 ]; then
  say "End-to-end tests (under Wine)"
  build_windows >/dev/null
  use_wine_prefix "$QB_CACHE_HOME/test-prefix"
  start_virtual_display
  start_wine
  trap 'stop_wine; kill "$QB_XVFB_PID" 2>/dev/null || true' EXIT
  set_window_management N
  (cd "$QB_BUILD/win" && ctest --output-on-failure --timeout 120 "$@")
fi
