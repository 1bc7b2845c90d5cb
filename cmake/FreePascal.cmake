# dravik_pascal_program(NAME SOURCE [UNITS unit...] [FLAGS flag...] [PROGRAM_DIR dir]): compiles the
# Pascal program SOURCE (relative to the calling folder; the units it uses sit beside it) into
# PROGRAM_DIR/NAME (default: the calling folder's build folder, under "programs") at build time,
# as target NAME. fpc writes its .o and .ppu files into a folder of their own; the program is
# rebuilt when a source changes. NAME_PATH is set to the program's path in the caller's scope.
find_program(DRAVIK_FPC fpc REQUIRED)

function(dravik_pascal_program name source)
  cmake_parse_arguments(ARG "" "PROGRAM_DIR" "UNITS;FLAGS" ${ARGN})
  if(NOT ARG_PROGRAM_DIR)
    set(ARG_PROGRAM_DIR "${CMAKE_CURRENT_BINARY_DIR}/programs")
  endif()
  get_filename_component(source "${source}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(source_dir "${source}" DIRECTORY)
  set(sources "${source}")
  foreach(unit IN LISTS ARG_UNITS)
    get_filename_component(unit "${unit}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND sources "${unit}")
  endforeach()
  set(units "${CMAKE_CURRENT_BINARY_DIR}/${name}.units")
  set(program "${ARG_PROGRAM_DIR}/${name}")
  add_custom_command(
    OUTPUT "${program}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${units}" "${ARG_PROGRAM_DIR}"
    COMMAND ${DRAVIK_FPC} -Mobjfpc -Sh -vew -l- ${ARG_FLAGS} "-FU${units}" "-Fu${source_dir}"
            "-o${program}" "${source}"
    DEPENDS ${sources}
    COMMENT "Compiling the Free Pascal program ${name}"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS "${program}")
  set(${name}_PATH "${program}" PARENT_SCOPE)
endfunction()
