# What `cmake --install` lays out under a prefix: the shared libraries, the public headers under
# include/dravik/ with the source tree's paths and the umbrella headers, the programs, the
# manual page, the documents, the CMake package (lib/cmake/Dravik) and a pkg-config file per
# library. `make deb` packs the same for Debian.
include(CMakePackageConfigHelpers)

set(DRAVIK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Dravik)

foreach(library IN ITEMS QueltDravik30 QueltDravik30Ui QueltDravik30Design)
  set_target_properties(${library} PROPERTIES VERSION ${PROJECT_VERSION}
                                              SOVERSION ${PROJECT_VERSION_MAJOR})
  # A user's program includes <dravik/Dravik.h>, or a header by its path in this tree.
  target_include_directories(${library} INTERFACE
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/dravik> $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_compile_features(${library} INTERFACE cxx_std_20)
endforeach()
set_target_properties(QueltDravik30 PROPERTIES EXPORT_NAME Core)
set_target_properties(QueltDravik30Ui PROPERTIES EXPORT_NAME Widgets)
set_target_properties(QueltDravik30Design PROPERTIES EXPORT_NAME Design)
set_target_properties(dravik PROPERTIES EXPORT_NAME dravik)

install(TARGETS QueltDravik30 QueltDravik30Ui QueltDravik30Design dravik
        EXPORT DravikTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# dravik runs these two beside itself; the studio loads the design package from ../lib.
install(TARGETS dravik-fit dravik-edit dravik-studio dravik-demo
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The headers of the three libraries' layers, each under its path in this tree.
file(GLOB_RECURSE headers RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS
     platform/*.h library/*.h model/*.h runtime/*.h source/*.h widgets/*.h editor/*.h)
foreach(header IN LISTS headers)
  get_filename_component(dir ${header} DIRECTORY)
  install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/dravik/${dir})
endforeach()
install(DIRECTORY include/dravik DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

install(EXPORT DravikTargets NAMESPACE Dravik:: DESTINATION ${DRAVIK_CMAKE_DIR})
configure_package_config_file(cmake/DravikConfig.cmake.in
  ${PROJECT_BINARY_DIR}/DravikConfig.cmake INSTALL_DESTINATION ${DRAVIK_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/DravikConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/DravikConfig.cmake ${PROJECT_BINARY_DIR}/DravikConfigVersion.cmake
        cmake/DravikForms.cmake cmake/EmbedResources.cmake cmake/WriteResourceSource.cmake
        DESTINATION ${DRAVIK_CMAKE_DIR})

# pkg-config: dravik (no Qt) and dravik-widgets.
function(dravik_pkg_config file name library requires description)
  set(PC_NAME ${name})
  set(PC_LIBRARY ${library})
  set(PC_REQUIRES "${requires}")
  set(PC_DESCRIPTION "${description}")
  configure_file(cmake/dravik.pc.in ${PROJECT_BINARY_DIR}/pkgconfig/${file}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/${file}.pc
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endfunction()
dravik_pkg_config(dravik Dravik QueltDravik30 ""
                  "Multilingual forms: components, form streams and the language switch")
dravik_pkg_config(dravik-widgets "Dravik Widgets" QueltDravik30Ui "dravik Qt6Widgets"
                  "Multilingual forms: the visual controls on Qt 6 Widgets")

# The manual pages say what the programs' --help says; each is made again whenever its program
# is. dravik-fit and dravik-edit are `dravik fit` and `dravik edit`: their pages are dravik's.
set(DRAVIK_MAN_DIR ${PROJECT_BINARY_DIR}/man)
set(pages)
foreach(entry IN ITEMS
        "dravik|convert form files and work with their languages and settings files"
        "dravik-demo|a multilingual application of three windows made of form files"
        "dravik-studio|the development environment on a folder of units and form files")
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 program)
  list(GET entry 1 summary)
  add_custom_command(OUTPUT ${DRAVIK_MAN_DIR}/${program}.1.gz
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DNAME=${program}
            -DSUMMARY=${summary} -DVERSION=${PROJECT_VERSION}
            -DOUTPUT=${DRAVIK_MAN_DIR}/${program}.1 -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    COMMAND gzip -9nf ${DRAVIK_MAN_DIR}/${program}.1
    DEPENDS ${program} ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    COMMENT "Manual page of ${program}" VERBATIM)
  list(APPEND pages ${DRAVIK_MAN_DIR}/${program}.1.gz)
endforeach()
foreach(companion IN ITEMS dravik-fit dravik-edit)
  file(WRITE ${DRAVIK_MAN_DIR}/${companion}.1 ".so man1/dravik.1\n")
  execute_process(COMMAND gzip -9nf ${DRAVIK_MAN_DIR}/${companion}.1)
  list(APPEND pages ${DRAVIK_MAN_DIR}/${companion}.1.gz)
endforeach()
add_custom_target(dravik_man ALL DEPENDS ${pages})
install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The documents, with what a Debian package carries beside them: the copyright and a changelog.
string(TIMESTAMP DRAVIK_BUILD_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${PROJECT_BINARY_DIR}/doc/changelog
     "dravik (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
     "  * Built from the project's sources; their history is the project's git log.\n\n"
     " -- Dravik developers <dravik@example.org>  ${DRAVIK_BUILD_DATE}\n")
execute_process(COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/doc/changelog)
install(FILES README.md docs/GUIDE.md docs/ARCHITECTURE.md cmake/deb/copyright
              ${PROJECT_BINARY_DIR}/doc/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# `make deb`: the same install as a Debian package under /usr. dpkg-shlibdeps finds the Qt and C++
# libraries the programs need; the fonts the forms are drawn with are named here, and what a
# project needs to build on the package is recommended.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dravik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Dravik developers <dravik@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "multilingual desktop forms: C++ libraries, tools and demo")
set(CPACK_PACKAGE_DESCRIPTION "A component system for desktop forms in C++20 on Qt 6 Widgets:
a TDravik on each form keeps the values of its translated properties for
every language in the form file, and one assignment switches a whole group
of forms at run time. The package holds the libraries with their headers,
CMake package and pkg-config files, the dravik tool, the studio and a demo.")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-base-dev, cmake, g++, pkgconf")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The shared libraries: their shlibs entries, and ldconfig run by trigger.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/cmake/deb/triggers)
include(CPack)
