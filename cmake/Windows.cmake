# Windows build: the program, and the end-to-end tests that drive it.
enable_language(RC)
include(cmake/DelayImports.cmake)

add_subdirectory(src)
# ... and its help file.
include(cmake/Help.cmake)
add_dependencies(quellbright quellbright_help)

# A stand-in browser helper object with a full version resource, for the
# demonstration and the end-to-end tests.
add_library(sample_helper SHARED samples/sample_helper.cpp samples/sample_helper.rc)
set_target_properties(sample_helper PROPERTIES OUTPUT_NAME SampleHelper PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/samples)
target_link_options(sample_helper PRIVATE -static)
include(cmake/SignedSamples.cmake)
configure_file(samples/demo_objects.reg ${CMAKE_BINARY_DIR}/samples/demo_objects.reg COPYONLY)
# Real index.dat files for the demo window's tests and its benchmark.
foreach(index_file History.IE5_index.dat Content.IE5_index.dat nfury_index.dat)
  configure_file(samples/index.dat/${index_file} ${CMAKE_BINARY_DIR}/samples/index.dat/${index_file}
    COPYONLY)
endforeach()

# GoogleTest, cross-built from Debian's sources for the end-to-end driver.
enable_testing()
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_subdirectory(tests/e2e)
add_subdirectory(tests/win32)

# The benchmarks that drive the program under Wine (scripts/bench.sh), the
# guard's tick against the bare system calls, and the leak check of 10,000
# ticks, which the end-to-end run includes.
add_subdirectory(bench)

# The installer, cross-built with NSIS (Debian package nsis).
find_program(QB_MAKENSIS makensis REQUIRED)
add_subdirectory(installer)
