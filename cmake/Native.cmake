# Host build: the portable core, its unit tests and the benchmarks; or, with
# QB_FUZZ, its fuzz targets.
option(QB_FUZZ "Build the libFuzzer targets (clang) instead of the tests" OFF)
if(QB_FUZZ)
  include(cmake/Fuzz.cmake)
  return()
endif()

option(QB_SANITIZE "Build the native tests with AddressSanitizer and UBSan" ON)

if(QB_SANITIZE)
  set(QB_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(qb_core PRIVATE ${QB_SANITIZER_FLAGS})
  target_link_options(qb_core PUBLIC ${QB_SANITIZER_FLAGS})
endif()

enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)
add_subdirectory(tests/unit)

# Debian's own Python: the set-up check asks dpkg about the machine.
find_program(QB_PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
add_subdirectory(tests/setup)

# Benchmarks print ratios against a baseline measured in the same run; they
# are built without sanitizers (scripts/bench.sh).
find_package(benchmark QUIET)
if(benchmark_FOUND AND NOT QB_SANITIZE)
  add_subdirectory(bench)
endif()
