# SPDX-License-Identifier: MIT
# The shared libraries a host and the packages it loads have in common, so that a
# process holds one framework (one application object, one palette, one class record
# per class) however its modules were built. They are made from the objects of the
# static libraries, which are therefore compiled position-independent.
#   quire_fw    the base component library: runtime, graphics, controls, packages
#   quire_fwdb  the data-aware library: fields, data sets, data sources, SQL
#
# quire_add_shared_library(<name> OBJECTS <static libraries> [PUBLIC ...] [PRIVATE ...]
#                          [UNVERSIONED])
function(quire_add_shared_library name)
  cmake_parse_arguments(SL "UNVERSIONED" "" "OBJECTS;PUBLIC;PRIVATE" ${ARGN})
  set(objects "")
  foreach(lib IN LISTS SL_OBJECTS)
    list(APPEND objects $<TARGET_OBJECTS:${lib}>)
  endforeach()
  add_library(${name} SHARED ${objects})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}> $<INSTALL_INTERFACE:${QUIRE_INSTALL_INCLUDEDIR}>)
  target_link_libraries(${name} PUBLIC ${SL_PUBLIC} PRIVATE ${SL_PRIVATE})
  target_compile_features(${name} PUBLIC cxx_std_20)
  set_target_properties(${name} PROPERTIES INSTALL_RPATH "$ORIGIN")
  if(NOT SL_UNVERSIONED)
    set_target_properties(${name} PROPERTIES
      VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  endif()
endfunction()

quire_add_shared_library(quire_fw
  OBJECTS quire_rtl quire_graphics quire_controls quire_packages
  PRIVATE Qt6::Widgets Qt6::Gui Qt6::Core PkgConfig::GMPXX ${CMAKE_DL_LIBS})
quire_add_shared_library(quire_fwdb
  OBJECTS quire_db
  PUBLIC quire_fw
  PRIVATE Qt6::Sql Qt6::Core SQLite::SQLite3 PostgreSQL::PostgreSQL)
