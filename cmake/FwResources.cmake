# SPDX-License-Identifier: MIT
# fw_add_resources(<target> LANGUAGE <hex> CODEPAGE <number> [<KIND> <NAME> <file>]...)
#
# Compiles files into <target> as its resource table and exports it as
# fwModuleResources (platform/packages/PackageExports.h). KIND is one of BITMAP,
# ICON, DATA, PACKAGEINFO, VERSION, STRINGTABLE; relative files are taken from the
# current source folder. The table is regenerated when a file changes.
set(FW_RESOURCES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/FwEmbedResources.cmake)

function(fw_add_resources target)
  cmake_parse_arguments(RES "" "LANGUAGE;CODEPAGE" "" ${ARGN})
  set(entries ${RES_UNPARSED_ARGUMENTS})
  list(LENGTH entries count)
  math(EXPR remainder "${count} % 3")
  if(count EQUAL 0 OR NOT remainder EQUAL 0)
    message(FATAL_ERROR "fw_add_resources(${target}): give resources as KIND NAME FILE triples")
  endif()
  if(NOT RES_LANGUAGE OR NOT RES_CODEPAGE)
    message(FATAL_ERROR "fw_add_resources(${target}): LANGUAGE and CODEPAGE are required")
  endif()
  set(resolved "")
  set(files "")
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 3)
    math(EXPR name_at "${i} + 1")
    math(EXPR file_at "${i} + 2")
    list(GET entries ${i} kind)
    list(GET entries ${name_at} name)
    list(GET entries ${file_at} file)
    if(NOT kind MATCHES "^(BITMAP|ICON|DATA|PACKAGEINFO|VERSION|STRINGTABLE)$")
      message(FATAL_ERROR "fw_add_resources(${target}): unknown resource kind ${kind}")
    endif()
    get_filename_component(file "${file}" ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND files "${file}")
    list(APPEND resolved "${kind}|${name}|${file}")
  endforeach()
  string(REPLACE ";" "|" packed "${resolved}")
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DLANGUAGE=${RES_LANGUAGE}
            -DCODEPAGE=${RES_CODEPAGE} -DENTRIES=${packed} -P ${FW_RESOURCES_SCRIPT}
    DEPENDS ${files} ${FW_RESOURCES_SCRIPT}
    COMMENT "Compiling the resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()
