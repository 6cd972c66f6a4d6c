# The help file: HTML pages in help/, compiled to help.chm with chmcmd (Free
# Pascal's CHM compiler, Debian package fp-utils) and shipped in the program
# folder beside CLSIDs.txt.
find_program(QB_CHMCMD chmcmd)
if(NOT QB_CHMCMD)
  message(FATAL_ERROR "chmcmd was not found: it compiles help/help.hhp into help.chm. "
    "Install it (Debian: apt-get install fp-utils) or set QB_CHMCMD to its path.")
endif()

file(GLOB QB_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
set(QB_HELP_STAGE ${CMAKE_BINARY_DIR}/help)
set(QB_HELP_FILE ${CMAKE_BINARY_DIR}/program/help.chm)

# chmcmd writes beside the project file and may leave a file behind when it
# fails, so it compiles in a staging folder and only a success is copied.
add_custom_command(
  OUTPUT ${QB_HELP_FILE}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${QB_HELP_STAGE}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/help ${QB_HELP_STAGE}
  COMMAND ${CMAKE_COMMAND} -E chdir ${QB_HELP_STAGE} ${QB_CHMCMD} --verbosity 1 help.hhp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/program
  COMMAND ${CMAKE_COMMAND} -E copy ${QB_HELP_STAGE}/help.chm ${QB_HELP_FILE}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS ${QB_HELP_SOURCES}
  COMMENT "Compiling help.chm"
  VERBATIM
)
add_custom_target(quellbright_help ALL DEPENDS ${QB_HELP_FILE})
