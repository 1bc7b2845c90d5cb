# dravik_embed_resources(TARGET NAME=FILE ...): compiles each FILE (relative to the calling
# folder) into TARGET and registers it at start-up as the module resource NAME, which
# TResourceStream and FindModuleResource find. A target may call it more than once. Installed
# with the CMake package, where dravik_add_forms (DravikForms.cmake) builds on it.
function(dravik_embed_resources target)
  set(writer "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/WriteResourceSource.cmake")
  get_property(count TARGET ${target} PROPERTY DRAVIK_RESOURCE_SOURCES)
  if(NOT count)
    set(count 0)
  endif()
  math(EXPR next "${count} + 1")
  set_property(TARGET ${target} PROPERTY DRAVIK_RESOURCE_SOURCES ${next})
  set(generated "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources_${count}.cpp")

  set(items "")
  set(files "")
  set(names "")
  foreach(item IN LISTS ARGN)
    string(FIND "${item}" "=" eq)
    if(eq LESS 1)
      message(FATAL_ERROR "dravik_embed_resources(${target}): '${item}' is not NAME=FILE")
    endif()
    string(SUBSTRING "${item}" 0 ${eq} name)
    math(EXPR start "${eq} + 1")
    string(SUBSTRING "${item}" ${start} -1 file)
    if(name MATCHES "[\"\\|]")
      message(FATAL_ERROR "dravik_embed_resources(${target}): resource name '${name}' holds \", \\ or |")
    endif()
    string(TOUPPER "${name}" key)
    if(key IN_LIST names)
      message(FATAL_ERROR "dravik_embed_resources(${target}): resource name '${name}' given twice")
    endif()
    list(APPEND names "${key}")
    get_filename_component(file "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    # A file made by the build (a converted form) exists only when the build runs.
    get_source_file_property(generated_file "${file}" GENERATED)
    if(NOT EXISTS "${file}" AND NOT generated_file)
      message(FATAL_ERROR "dravik_embed_resources(${target}): no file ${file}")
    endif()
    list(APPEND files "${file}")
    list(APPEND items "${name}|${file}")
  endforeach()

  add_custom_command(
    OUTPUT "${generated}"
    COMMAND ${CMAKE_COMMAND} "-DOUTPUT=${generated}" "-DRESOURCES=${items}"
            -P "${writer}"
    DEPENDS ${files} "${writer}"
    COMMENT "Embedding resources into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${generated}")
endfunction()
