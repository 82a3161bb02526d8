# SPDX-License-Identifier: MIT
# Installs the build into a fresh prefix, builds the consumer project against it and
# runs it on the offscreen platform (cmake -P; BUILD_DIR, SOURCE_DIR, WORK_DIR,
# BUILD_TYPE, and FLAGS for compiling and linking the consumer).
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${WORK_DIR}/prefix"
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${WORK_DIR}/build"
  -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
  "-DCMAKE_CXX_FLAGS=${FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${FLAGS}"
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build "${WORK_DIR}/build"
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
foreach(program IN ITEMS consumer widget-consumer)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
    "${WORK_DIR}/build/${program}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
