# Installation and the CMake package for host applications:
#   cmake --install <build> --prefix <P>
# gives P/lib/libarbel_{dba,contrats}.a, P/include/arbel/<folder>/*.h,
# P/bin/arbel-db and P/bin/arbel-contrats, and P/lib/cmake/ArbelContrats,
# so that a host does
#   find_package(ArbelContrats REQUIRED)
#   target_link_libraries(host PRIVATE ArbelContrats::arbel_contrats)
# and gets the engine, SQLite and the Qt libraries with it.
#
# The libraries are static: the moc and uic output of the library is
# compiled into libarbel_contrats.a, so a host runs neither tool on the
# library's classes. Only the headers a host may include are installed; the
# generated ui_*.h stay in the build tree (the public widgets forward-declare
# their Ui:: class).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ARBEL_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/ArbelContrats)
set(ARBEL_INSTALL_INCLUDEDIR include/arbel)

# The public headers use C++20: a host compiling them needs it too.
target_compile_features(arbel_dba PUBLIC cxx_std_20)
set_target_properties(arbel_dba PROPERTIES EXPORT_NAME arbel_dba)
set_target_properties(arbel_contrats PROPERTIES EXPORT_NAME arbel_contrats)

install(TARGETS arbel_dba arbel_contrats
  EXPORT ArbelContratsTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})

install(TARGETS arbel-db arbel-contrats
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The include directory comes with the targets (their INSTALL_INTERFACE).
# Headers keep their folder, as the library's own sources include them
# ("dba/database.h", "control/ctr_contrat.h"). Read at install time, so a
# header added later is installed without reconfiguring.
foreach(dir IN ITEMS dba data ui control editor rules documents screens)
  if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/src/${dir})
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/${dir}/
      DESTINATION ${ARBEL_INSTALL_INCLUDEDIR}/${dir}
      FILES_MATCHING PATTERN "*.h"
      PATTERN "ui_*.h" EXCLUDE)
  endif()
endforeach()

install(EXPORT ArbelContratsTargets
  NAMESPACE ArbelContrats::
  DESTINATION ${ARBEL_INSTALL_CMAKEDIR}
  FILE ArbelContratsTargets.cmake)

# The Qt the library was built with is the oldest a host may bring.
set(ARBEL_QT_MIN_VERSION ${Qt6_VERSION_MAJOR}.${Qt6_VERSION_MINOR})
configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/ArbelContratsConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/ArbelContratsConfig.cmake
  INSTALL_DESTINATION ${ARBEL_INSTALL_CMAKEDIR})
# 0.x: every minor version may change the interface.
write_basic_package_version_file(
  ${CMAKE_CURRENT_BINARY_DIR}/ArbelContratsConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/ArbelContratsConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/ArbelContratsConfigVersion.cmake
  DESTINATION ${ARBEL_INSTALL_CMAKEDIR})
