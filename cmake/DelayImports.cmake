# System libraries that the first window does not need, imported so that
# Windows loads each when one of its functions is first called rather than
# when the program starts (the loader of a DLL and everything it imports
# costs start-up time and memory for the whole session). dlltool makes the
# import library from a list of the functions the program calls; a call to
# one not on the list fails to link, so the lists cannot silently go stale.
# The loading helper, __delayLoadHelper2, comes with MinGW-w64's runtime,
# and CMake finds the toolchain's dlltool with its binutils.
if(NOT CMAKE_DLLTOOL)
  message(FATAL_ERROR "The MinGW-w64 toolchain has no dlltool")
endif()

function(qb_delay_import name)
  set(def ${PROJECT_SOURCE_DIR}/cmake/delay_imports/${name}.def)
  set(library ${CMAKE_BINARY_DIR}/delay_imports/lib${name}_delayed.a)
  add_custom_command(OUTPUT ${library}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay_imports
    COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${name}.dll --output-delaylib ${library}
    DEPENDS ${def}
    VERBATIM)
  add_custom_target(${name}_delayed_import DEPENDS ${library})
  add_library(${name}_delayed INTERFACE)
  target_link_libraries(${name}_delayed INTERFACE ${library})
  add_dependencies(${name}_delayed ${name}_delayed_import)
endfunction()

foreach(name wintrust crypt32 bcrypt version mpr)
  qb_delay_import(${name})
endforeach()
