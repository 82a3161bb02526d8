# SPDX-License-Identifier: MIT
# Debian packages made by cpack from the install components (cmake/QuireInstall.cmake):
#   libquire1     runtime: the shared libraries and the package
#   libquire-dev  dev: headers, CMake configuration, the Designer plugin
#   quire-demo    demo: the demo program
# `make package` configures a tree for /usr and runs cpack in it. The version is the
# project's; the release date comes from its entry in CHANGELOG.md. Each package
# carries the licence and both change logs in /usr/share/doc/<package>.

set(QUIRE_DEBIAN_MAINTAINER "Quire developers <quire-developers@example.org>" CACHE STRING
  "Maintainer field of the Debian packages")
set(QUIRE_DEBIAN_REVISION 1 CACHE STRING "Debian revision of the packages")

set(quire_components runtime dev demo)
set(quire_debian_packages libquire1 libquire-dev quire-demo)
set(quire_debian_dir ${CMAKE_BINARY_DIR}/debian)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/LICENSE
  ${PROJECT_SOURCE_DIR}/demo/quire-demo.1)

# The release date ("YYYY-MM-DD") of the project version's entry in CHANGELOG.md.
function(quire_release_date out)
  file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md heading
    REGEX "^## \\[${PROJECT_VERSION}\\] - [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$")
  if(NOT heading)
    message(FATAL_ERROR "CHANGELOG.md has no entry \"## [${PROJECT_VERSION}] - YYYY-MM-DD\" "
      "for the project version ${PROJECT_VERSION}")
  endif()
  string(REGEX MATCH "[0-9-]+$" date "${heading}")
  set(${out} ${date} PARENT_SCOPE)
endfunction()

# A "YYYY-MM-DD" date as the changelog trailer wants it: "Thu, 10 Dec 2026 00:00:00 +0000".
function(quire_rfc2822_date date out)
  string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" ignored "${date}")
  math(EXPR year "${CMAKE_MATCH_1}")
  math(EXPR month "${CMAKE_MATCH_2}")
  math(EXPR day "${CMAKE_MATCH_3}")
  # The weekday by Sakamoto's method (0 is Sunday).
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR index "${month} - 1")
  list(GET offsets ${index} offset)
  set(y ${year})
  if(month LESS 3)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${day}) % 7")
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET weekdays ${weekday} weekday_name)
  list(GET months ${index} month_name)
  if(day LESS 10)
    set(day "0${day}")
  endif()
  set(${out} "${weekday_name}, ${day} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

function(quire_gzip input output)
  execute_process(COMMAND gzip -9nc INPUT_FILE ${input} OUTPUT_FILE ${output}
    COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# The licence in Debian's machine-readable copyright format.
function(quire_write_debian_copyright output)
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
  string(REGEX REPLACE "^MIT License\n\n" "" licence "${licence}")
  string(REGEX REPLACE "\n+$" "" licence "${licence}")
  string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" ignored "${licence}")
  set(holder "${CMAKE_MATCH_1}")
  string(REGEX REPLACE "^Copyright \\(c\\) [^\n]*\n\n" "" licence "${licence}")
  string(REGEX REPLACE "\n\n" "\n.\n" licence "${licence}")
  string(REGEX REPLACE "\n" "\n " licence "${licence}")
  file(WRITE ${output} "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Quire

Files: *
Copyright: ${holder}
License: MIT
 ${licence}
")
endfunction()

quire_release_date(quire_date)
quire_rfc2822_date(${quire_date} quire_debian_date)
set(quire_debian_version ${PROJECT_VERSION}-${QUIRE_DEBIAN_REVISION})
file(MAKE_DIRECTORY ${quire_debian_dir})
quire_write_debian_copyright(${quire_debian_dir}/copyright)
file(WRITE ${quire_debian_dir}/changelog.Debian "quire (${quire_debian_version}) unstable; urgency=medium

  * Release ${PROJECT_VERSION}; changelog.gz lists what it holds.

 -- ${QUIRE_DEBIAN_MAINTAINER}  ${quire_debian_date}
")
quire_gzip(${quire_debian_dir}/changelog.Debian ${quire_debian_dir}/changelog.Debian.gz)
quire_gzip(${PROJECT_SOURCE_DIR}/CHANGELOG.md ${quire_debian_dir}/changelog.gz)

# The demo's manual page.
quire_gzip(${PROJECT_SOURCE_DIR}/demo/quire-demo.1 ${quire_debian_dir}/quire-demo.1.gz)
install(FILES ${quire_debian_dir}/quire-demo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
  COMPONENT demo)
# The libraries' package has the loader's cache refreshed by a trigger.
file(WRITE ${quire_debian_dir}/triggers "activate-noawait ldconfig\n")

foreach(component package IN ZIP_LISTS quire_components quire_debian_packages)
  install(FILES ${quire_debian_dir}/copyright ${quire_debian_dir}/changelog.Debian.gz
    ${quire_debian_dir}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
  string(TOUPPER ${component} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quire)
set(CPACK_PACKAGE_VENDOR "the Quire developers")
set(CPACK_PACKAGE_CONTACT "${QUIRE_DEBIAN_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${QUIRE_DEBIAN_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${quire_components})
set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_COMPONENT_DEMO_DEPENDS runtime)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# Dependencies on Debian's Qt and system libraries come from dpkg-shlibdeps; it finds
# our own libraries in the build tree (they are another package's, which the
# component dependencies above name).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(quire_shlibdeps_config ${CMAKE_BINARY_DIR}/CPackShlibdeps.cmake)
file(GENERATE OUTPUT ${quire_shlibdeps_config} CONTENT
  "set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS \"$<TARGET_FILE_DIR:quire_fw>;$<TARGET_FILE_DIR:QuirePack>;$<TARGET_FILE_DIR:quire_widget>\")\n")
set(CPACK_PROJECT_CONFIG_FILE ${quire_shlibdeps_config})

set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${quire_debian_dir}/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The SQL drivers are plug-ins Qt loads by name, which dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "libqt6sql6-sqlite")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SUGGESTS "libqt6sql6-psql")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "data-aware property inspector control (shared libraries)
Quire shows the fields of a database record as the two-column rows of a
property inspector (name and value) and writes every edit straight back into
the record. This package holds the shared libraries: the component framework
on Qt 6 Widgets and QtSql, the component library with its loadable package,
and the inspector as a Qt widget.")

set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "qt6-base-dev")
set(CPACK_COMPONENT_DEV_DESCRIPTION "data-aware property inspector control (development files)
Quire shows the fields of a database record as the two-column rows of a
property inspector (name and value) and writes every edit straight back into
the record. This package holds the headers, the CMake package configuration
(find_package(Quire)) and the Qt Designer plugin.")

set(CPACK_DEBIAN_DEMO_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_DEMO_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_COMPONENT_DEMO_DESCRIPTION "data-aware property inspector control (demo)
quire-demo shows a table of a sample SQLite database, any SQLite file or a
PostgreSQL server in the Quire property inspector. Without a display it runs a
scripted tour that writes a picture of each step.")

include(CPack)

# What the packages hold, so that `make package` builds only that before cpack (the
# tree it configures does not make installing depend on building everything).
add_custom_target(packaged)
add_dependencies(packaged quire_fw quire_fwdb QuirePack quire_widget quire-demo)
if(TARGET quire_designer)
  add_dependencies(packaged quire_designer)
endif()
