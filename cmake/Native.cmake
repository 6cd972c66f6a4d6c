# Host build: the portable layers, their unit tests and the benchmarks.
if(QB_SANITIZE)
  set(QB_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
  add_compile_options(${QB_SANITIZER_FLAGS})
  add_link_options(${QB_SANITIZER_FLAGS})
endif()

add_subdirectory(src)

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
