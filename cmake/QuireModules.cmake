# SPDX-License-Identifier: MIT
# Helpers shared by the folder CMakeLists files.

# Adds each listed subdirectory that has a CMakeLists.txt, so layers can be
# brought in one at a time.
function(quire_add_optional_subdirectories)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# quire_add_test(<name> SOURCES ... LIBS ... [GUI])
# One GoogleTest executable per test folder, registered with CTest. GUI tests
# run on Qt's offscreen platform so no display is needed.
function(quire_add_test name)
  cmake_parse_arguments(QT "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${QT_SOURCES})
  target_link_libraries(${name} PRIVATE ${QT_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  # LANG only, so that a run under another locale (make test-ru) sets LC_ALL.
  set(env "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${env}" TIMEOUT 120)
endfunction()
