# dravik_add_forms(TARGET FORMS FILE...): embeds each form file, text or binary, into TARGET as the
# module resource named after the file (THelloForm.txt is THelloForm), which the form class of
# that name reads its layout from when it is created. Each file goes through `dravik convert --to
# binary` at build time, so the program carries binary forms only and a form that cannot be read
# fails the build with the tool's one-line message.
include("${CMAKE_CURRENT_LIST_DIR}/EmbedResources.cmake")

function(dravik_add_forms target)
  cmake_parse_arguments(ADD "" "" "FORMS" ${ARGN})
  if(NOT ADD_FORMS OR ADD_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "dravik_add_forms(${target}): usage is dravik_add_forms(TARGET FORMS FILE...)")
  endif()
  set(dir "${CMAKE_CURRENT_BINARY_DIR}/${target}_forms")
  set(items "")
  foreach(form IN LISTS ADD_FORMS)
    get_filename_component(form "${form}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(name "${form}" NAME_WE)
    set(binary "${dir}/${name}.dfm")
    add_custom_command(
      OUTPUT "${binary}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${dir}"
      COMMAND Dravik::dravik convert --to binary "${form}" "${binary}"
      DEPENDS "${form}" Dravik::dravik
      COMMENT "Converting form ${name}"
      VERBATIM)
    list(APPEND items "${name}=${binary}")
  endforeach()
  dravik_embed_resources(${target} ${items})
endfunction()
