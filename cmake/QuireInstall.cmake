# SPDX-License-Identifier: MIT
# cmake --install: the headers, the shared libraries (the package among them) and a
# package configuration, so that a project's find_package(Quire) and
# target_link_libraries(app Quire::quire) work. Every file belongs to one of the
# components the Debian packages are made of (cmake/QuirePackaging.cmake):
#   runtime  the shared libraries and the package
#   dev      headers, the libraries' development links, the CMake configuration,
#            the Designer plugin
#   demo     quire-demo
include(CMakePackageConfigHelpers)

set(QUIRE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quire)

set_target_properties(quire_fw PROPERTIES EXPORT_NAME fw)
set_target_properties(quire_fwdb PROPERTIES EXPORT_NAME fwdb)
install(TARGETS quire_fw quire_fwdb QuirePack quire_widget EXPORT QuireTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev)
# The Qt widget's one public header, as <Quire/QuireWidget.h>.
install(FILES widget/include/Quire/QuireWidget.h DESTINATION ${QUIRE_INSTALL_INCLUDEDIR}
  COMPONENT dev)
install(DIRECTORY platform quire quirepack
  DESTINATION ${QUIRE_INSTALL_INCLUDEDIR} COMPONENT dev
  FILES_MATCHING PATTERN "*.h"
  PATTERN "internal" EXCLUDE
  PATTERN "res" EXCLUDE)
install(EXPORT QuireTargets NAMESPACE Quire:: DESTINATION ${QUIRE_CMAKE_DIR} COMPONENT dev)

configure_package_config_file(cmake/QuireConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/QuireConfig.cmake
  INSTALL_DESTINATION ${QUIRE_CMAKE_DIR}
  PATH_VARS CMAKE_INSTALL_LIBDIR)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QuireConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/QuireConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/QuireConfigVersion.cmake
  cmake/FwResources.cmake cmake/FwEmbedResources.cmake
  DESTINATION ${QUIRE_CMAKE_DIR} COMPONENT dev)
