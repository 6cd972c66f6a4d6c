# Fuzzing build (clang): the portable core instrumented for libFuzzer with
# AddressSanitizer and UBSan, and one target per parser of outside input.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "QB_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
set(QB_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
target_compile_options(qb_core PRIVATE ${QB_FUZZ_FLAGS})
target_link_options(qb_core PUBLIC -fsanitize=address,undefined)
add_subdirectory(tests/fuzz)
