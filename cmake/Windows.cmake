# Windows build: the program, and the end-to-end tests that drive it.
enable_language(RC)

set(QB_WIN32_DEFINITIONS UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
    WINVER=0x0601)
target_compile_definitions(qb_core PUBLIC ${QB_WIN32_DEFINITIONS})

# Thin wrappers over the OS and the UI toolkit.
add_library(qb_win32 STATIC
  src/platform/win32/command_line.cpp
  src/platform/win32/disk_file.cpp
  src/platform/win32/nt_registry.cpp
  src/platform/win32/program_folder.cpp
  src/platform/win32/shared_file.cpp
  src/platform/win32/shell.cpp
  src/platform/win32/wide.cpp
  src/platform/win32/win32_clock.cpp
  src/platform/win32/win32_code_page.cpp
  src/platform/win32/win32_file_locator.cpp
  src/platform/win32/win32_files.cpp
  src/platform/win32/win32_registry.cpp
  src/platform/win32/win32_version_info.cpp
  src/platform/win32/win32_window_list.cpp
  src/toolkit/action.cpp
  src/toolkit/application.cpp
  src/toolkit/backdrop.cpp
  src/toolkit/control.cpp
  src/toolkit/controls.cpp
  src/toolkit/dpi.cpp
  src/toolkit/fit_text.cpp
  src/toolkit/font.cpp
  src/toolkit/link_label.cpp
  src/toolkit/form.cpp
  src/toolkit/menu.cpp
  src/toolkit/message_box.cpp
  src/toolkit/message_dialog.cpp
  src/toolkit/message_target.cpp
  src/toolkit/painted_control.cpp
  src/toolkit/panel.cpp
  src/toolkit/tab_control.cpp
  src/toolkit/timer.cpp
  src/toolkit/tray_icon.cpp
)
target_link_libraries(qb_win32 PUBLIC qb_core comctl32 gdi32 shell32 advapi32 ntdll version mpr ole32
  uuid windowscodecs)

add_executable(quellbright WIN32
  src/app/about_box.cpp
  src/app/gradient_painter.cpp
  src/app/main.cpp
  src/app/main_actions.cpp
  src/app/main_menus.cpp
  src/app/options_dialog.cpp
  src/app/orvex.cpp
  src/app/orvex_options.cpp
  src/app/report_mode.cpp
  src/app/sections.cpp
  src/app/tips_pages.cpp
  src/guardian/alert_dialog.cpp
  src/guardian/guardian_control.cpp
  src/guardian/guardian_page.cpp
  src/promo/banner.cpp
  src/promo/code_page.cpp
  src/promo/demo_dump_target.cpp
  src/promo/demo_window.cpp
  src/promo/promotion_window.cpp
  src/promo/web_link.cpp
  src/promo/widgets/edit_messages.cpp
  src/promo/widgets/gauge.cpp
  src/promo/widgets/images.cpp
  src/promo/widgets/picture.cpp
  src/promo/widgets/rtf_label.cpp
  src/promo/widgets/text_pane.cpp
  src/promo/wininet_probe.cpp
  src/scanner/clean_scan_question.cpp
  src/scanner/confirmation.cpp
  src/scanner/details_view.cpp
  src/scanner/list_page.cpp
  src/scanner/object_info.cpp
  src/scanner/removal_report.cpp
  src/scanner/restore_dialog.cpp
  src/scanner/scanner_page.cpp
  resources/quellbright.rc
)
target_include_directories(quellbright PRIVATE resources)
# windres reports no dependencies: a changed icon or manifest rebuilds the
# resources all the same.
file(GLOB qb_resource_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*)
set_source_files_properties(resources/quellbright.rc PROPERTIES OBJECT_DEPENDS "${qb_resource_files}")
target_link_libraries(quellbright PRIVATE qb_win32)
target_link_options(quellbright PRIVATE -static -municode)

# The program folder: the program beside its known-object database.
add_custom_command(TARGET quellbright POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/program
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quellbright> ${CMAKE_BINARY_DIR}/program/
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/CLSIDs.txt ${CMAKE_BINARY_DIR}/program/
)
# ... and its help file.
include(cmake/Help.cmake)
add_dependencies(quellbright quellbright_help)

# A stand-in browser helper object with a full version resource, for the
# demonstration and the end-to-end tests.
add_library(sample_helper SHARED samples/sample_helper.cpp samples/sample_helper.rc)
set_target_properties(sample_helper PROPERTIES OUTPUT_NAME SampleHelper PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/samples)
target_link_options(sample_helper PRIVATE -static)
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

# The fill benchmark, which drives the program under Wine (scripts/bench.sh).
add_subdirectory(bench)
# The guard's tick under Wine: its benchmark against the bare system calls,
# and the leak check of 10,000 ticks, whose handle wrappers count themselves.
set(QB_TICK_SOURCES bench/tick_machine.cpp src/platform/win32/wide.cpp
    src/platform/win32/nt_registry.cpp src/platform/win32/win32_code_page.cpp
    src/platform/win32/win32_registry.cpp src/platform/win32/win32_window_list.cpp)
add_executable(qb_tick_benchmark bench/tick_benchmark.cpp ${QB_TICK_SOURCES})
add_executable(qb_tick_leak_check bench/tick_leak_check.cpp bench/process_handles.cpp
    ${QB_TICK_SOURCES})
foreach(target qb_tick_benchmark qb_tick_leak_check)
  target_include_directories(${target} PRIVATE bench)
  target_link_libraries(${target} PRIVATE qb_core advapi32 ntdll user32 psapi)
  target_link_options(${target} PRIVATE -static)
endforeach()
target_compile_definitions(qb_tick_leak_check PRIVATE QB_COUNT_HANDLES)
add_test(NAME TickLeakCheck.TenThousandTicksLeaveNothingBehind COMMAND qb_tick_leak_check)
set_tests_properties(TickLeakCheck.TenThousandTicksLeaveNothingBehind PROPERTIES
  RUN_SERIAL TRUE TIMEOUT 300)
# The installer, cross-built with NSIS (Debian package nsis).
find_program(QB_MAKENSIS makensis REQUIRED)
add_subdirectory(installer)
