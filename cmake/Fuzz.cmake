# Fuzzing build (clang): the portable layers instrumented for libFuzzer
# with AddressSanitizer and UBSan, and one target per parser of outside
# input.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "QB_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
set(QB_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
add_compile_options(${QB_FUZZ_FLAGS})
add_link_options(-fsanitize=address,undefined)
add_subdirectory(src)
add_subdirectory(tests/fuzz)
