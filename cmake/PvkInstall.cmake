# Install rules: the library, its headers in the source layout, a CMake package and a
# pkg-config file; pvk with its man page and bash completion.
include(CMakePackageConfigHelpers)

install(TARGETS QVE_pvk EXPORT QVE_pvkTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/QVE_pvk)

install(FILES QVE_pvk.h ${PVK_GENERATED_DIR}/qve_pvk_export.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/QVE_pvk)
install(DIRECTORY base core session datastore vresult resultfile ibm csys render
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/QVE_pvk
  FILES_MATCHING PATTERN "*.h")

set(PVK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/QVE_pvk)
install(EXPORT QVE_pvkTargets NAMESPACE QVE_pvk:: DESTINATION ${PVK_CMAKE_DIR})
configure_package_config_file(cmake/QVE_pvkConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/QVE_pvkConfig.cmake INSTALL_DESTINATION ${PVK_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QVE_pvkConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/QVE_pvkConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/QVE_pvkConfigVersion.cmake DESTINATION ${PVK_CMAKE_DIR})

# Relative to the .pc file, so that an installed tree can be moved or installed with --prefix.
file(RELATIVE_PATH PVK_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
configure_file(cmake/QVE_pvk.pc.in ${CMAKE_CURRENT_BINARY_DIR}/QVE_pvk.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/QVE_pvk.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

if(PVK_BUILD_TOOLS)
  install(TARGETS pvk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES docs/pvk.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_BINARY_DIR}/tools/pvk/pvk-completion.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME pvk)
endif()
