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
# ("dba/database.h", "control/ctr_contrat.h"). Installed: what a host uses
# (the engine, the browser, the rights, the client context, the table and
# field names, the message and modal services it may replace), never the
# editor's, the rules' or the screens' internals, which may change between
# any two versions.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/dba/
  DESTINATION ${ARBEL_INSTALL_INCLUDEDIR}/dba
  FILES_MATCHING PATTERN "*.h")
set(ARBEL_HOST_HEADERS
  control/ctr_contrat.h control/contract_search.h
  data/access_rights.h data/client.h data/global_state.h data/tables.h data/table_fields.h
  data/contrat_fields.h data/dates.h data/numbers.h data/dictionaries.h data/demo_database.h
  ui/messages.h ui/modal.h ui/message_box_messages.h)
foreach(header IN LISTS ARBEL_HOST_HEADERS)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/src/${header} DESTINATION ${ARBEL_INSTALL_INCLUDEDIR}/${folder})
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
