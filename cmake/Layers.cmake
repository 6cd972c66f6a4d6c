# One library per layer of src/ (see docs/architecture.md). qb_layer(NAME
# sources...) makes a static library whose headers are found from src/;
# links between layers go through target_link_libraries in each folder.
function(qb_layer name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# A layer's Windows part: its windows and its wrappers of the OS, which
# need the Windows headers as the program uses them.
function(qb_windows_layer name)
  qb_layer(${name} ${ARGN})
  target_compile_definitions(${name} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
    _WIN32_WINNT=0x0601 WINVER=0x0601)
endfunction()
