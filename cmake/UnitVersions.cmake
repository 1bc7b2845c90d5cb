# dravik_unit_versions(TARGET FOLDER [EXCLUDE sub-folders...] [COMMIT_SYMBOL name]): adds to TARGET
# a source made at build time from git that registers the version header of every unit of
# FOLDER (tools/unit-headers.py). It is made again when a source of the folder or the
# repository's history changes.
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} rev-parse --git-path logs/HEAD
                  OUTPUT_VARIABLE DRAVIK_GIT_HEAD_LOG OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_QUIET RESULT_VARIABLE DRAVIK_NO_GIT)
  if(NOT DRAVIK_NO_GIT AND NOT IS_ABSOLUTE "${DRAVIK_GIT_HEAD_LOG}")
    set(DRAVIK_GIT_HEAD_LOG "${PROJECT_SOURCE_DIR}/${DRAVIK_GIT_HEAD_LOG}")
  endif()
endif()

function(dravik_unit_versions target folder)
  cmake_parse_arguments(UNITS "" "COMMIT_SYMBOL" "EXCLUDE" ${ARGN})
  file(GLOB_RECURSE units CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.cpp"
       "${PROJECT_SOURCE_DIR}/${folder}/*.h")
  set(options "")
  foreach(sub IN LISTS UNITS_EXCLUDE)
    list(APPEND options --exclude ${sub})
  endforeach()
  if(UNITS_COMMIT_SYMBOL)
    list(APPEND options --commit-symbol ${UNITS_COMMIT_SYMBOL})
  endif()
  set(history "")
  if(DRAVIK_GIT_HEAD_LOG AND EXISTS "${DRAVIK_GIT_HEAD_LOG}")
    set(history "${DRAVIK_GIT_HEAD_LOG}")
  endif()
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}_UnitVersions.cpp")
  add_custom_command(OUTPUT ${out}
    COMMAND python3 ${PROJECT_SOURCE_DIR}/tools/unit-headers.py ${PROJECT_SOURCE_DIR} ${folder}
            ${out} ${options}
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/unit-headers.py ${units} ${history}
    COMMENT "Version headers of ${folder}" VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
