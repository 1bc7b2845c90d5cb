# dravik_layer(TARGET FOLDER [BELOW layer-folders...]): makes TARGET the object library of one
# layer, built from every source under FOLDER, and fails the configuration when a file of FOLDER
# includes a header of a layer that is not below it. Layers are named by their folder.
set(DRAVIK_LAYER_FOLDERS platform/core platform/ui platform/ide library library/ui model runtime
    runtime/ui source editor installer)

function(dravik_layer target folder)
  cmake_parse_arguments(LAYER "" "" "BELOW;LINK" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.cpp")
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.h")
  # A layer nested in another's folder (library/ui in library) is not part of it.
  foreach(nested IN LISTS DRAVIK_LAYER_FOLDERS)
    if(nested MATCHES "^${folder}/")
      list(FILTER sources EXCLUDE REGEX "/${nested}/")
      list(FILTER headers EXCLUDE REGEX "/${nested}/")
    endif()
  endforeach()
  add_library(${target} OBJECT ${sources})
  target_link_libraries(${target} PUBLIC ${LAYER_LINK})

  set(allowed ${folder} ${LAYER_BELOW})
  foreach(file IN LISTS sources headers)
    file(STRINGS "${file}" includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
      # The header's layer is the longest layer folder it lies in.
      set(owner "")
      foreach(layer IN LISTS DRAVIK_LAYER_FOLDERS)
        string(LENGTH "${layer}" length)
        string(LENGTH "${owner}" ownerLength)
        if(header MATCHES "^${layer}/" AND length GREATER ownerLength)
          set(owner "${layer}")
        endif()
      endforeach()
      if(owner AND NOT owner IN_LIST allowed)
        file(RELATIVE_PATH shown "${PROJECT_SOURCE_DIR}" "${file}")
        message(FATAL_ERROR "Layer ${folder}: ${shown} includes ${header}, a layer above it")
      endif()
    endforeach()
  endforeach()
endfunction()
