# dravik_layer(TARGET FOLDER [BELOW layer-folders...] [LINK targets...]): makes TARGET the object
# library of one layer, built from every source under FOLDER, and fails the configuration when a
# file of FOLDER includes a header of a layer that is not below it. Layers are named by their
# folder; a header of the project that lies in no layer (apps/, tests/, a new folder) counts as
# above every layer.
set(DRAVIK_LAYER_FOLDERS platform/core platform/ui platform/ide library model runtime source widgets runtime/ui
    editor installer)

# Any spelling of an include: blanks around "#" and "include", quotes or angle brackets.
set(DRAVIK_INCLUDE_REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]+)[\">]")

function(dravik_layer target folder)
  cmake_parse_arguments(LAYER "" "" "BELOW;LINK" ${ARGN})
  foreach(layer IN ITEMS ${folder} ${LAYER_BELOW})
    if(NOT layer IN_LIST DRAVIK_LAYER_FOLDERS)
      message(FATAL_ERROR "Layer ${folder}: ${layer} is not a layer (cmake/Layers.cmake)")
    endif()
  endforeach()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.cpp")
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.h")
  # A layer nested in another's folder (runtime/ui in runtime) is not part of it.
  set(nestedLayers "")
  foreach(nested IN LISTS DRAVIK_LAYER_FOLDERS)
    if(nested MATCHES "^${folder}/")
      list(FILTER sources EXCLUDE REGEX "/${nested}/")
      list(FILTER headers EXCLUDE REGEX "/${nested}/")
      list(APPEND nestedLayers ${nested})
    endif()
  endforeach()
  add_library(${target} OBJECT ${sources})
  target_link_libraries(${target} PUBLIC ${LAYER_LINK})
  # Every unit of the layer registers its version header.
  if(COMMAND dravik_unit_versions)
    dravik_unit_versions(${target} ${folder} EXCLUDE ${nestedLayers})
  endif()

  set(allowed ${folder} ${LAYER_BELOW})
  foreach(file IN LISTS sources headers)
    file(STRINGS "${file}" includes REGEX "${DRAVIK_INCLUDE_REGEX}")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "${DRAVIK_INCLUDE_REGEX}.*" "\\1" header "${line}")
      # The header's layer is the longest layer folder it lies in.
      set(owner "")
      foreach(layer IN LISTS DRAVIK_LAYER_FOLDERS)
        string(LENGTH "${layer}" length)
        string(LENGTH "${owner}" ownerLength)
        if(header MATCHES "^${layer}/" AND length GREATER ownerLength)
          set(owner "${layer}")
        endif()
      endforeach()
      string(REGEX MATCH "^[^/]+/" top "${header}")
      if(NOT owner AND top AND IS_DIRECTORY "${PROJECT_SOURCE_DIR}/${top}")
        set(owner "${top}")
      endif()
      if(owner AND NOT owner IN_LIST allowed)
        file(RELATIVE_PATH shown "${PROJECT_SOURCE_DIR}" "${file}")
        message(FATAL_ERROR "Layer ${folder}: ${shown} includes ${header}, a layer above it")
      endif()
    endforeach()
  endforeach()
endfunction()
