# dravik_embed_resources(TARGET NAME=FILE ...): compiles each FILE into TARGET and registers it
# at start-up as a module resource called NAME.
function(dravik_embed_resources target)
  set(generated "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp")
  set(body "")
  set(depends "")
  set(index 0)
  foreach(item IN LISTS ARGN)
    string(FIND "${item}" "=" eq)
    string(SUBSTRING "${item}" 0 ${eq} name)
    math(EXPR start "${eq} + 1")
    string(SUBSTRING "${item}" ${start} -1 file)
    get_filename_component(file "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND depends "${file}")
    list(APPEND body "${name}|${file}")
  endforeach()
  add_custom_command(
    OUTPUT "${generated}"
    COMMAND ${CMAKE_COMMAND} -D "OUTPUT=${generated}" -D "ITEMS=${body}"
            -P "${PROJECT_SOURCE_DIR}/cmake/WriteResourceSource.cmake"
    DEPENDS ${depends} "${PROJECT_SOURCE_DIR}/cmake/WriteResourceSource.cmake"
    COMMENT "Embedding resources into ${target}")
  target_sources(${target} PRIVATE "${generated}")
endfunction()
