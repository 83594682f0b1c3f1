# Builds and runs the small consumer program against qzCore, either from an
# installed package (find_package) or from the source tree (add_subdirectory).
cmake_policy(SET CMP0057 NEW)  # if(... IN_LIST ...)
file(REMOVE_RECURSE "${QZ_WORK_DIR}")
file(MAKE_DIRECTORY "${QZ_WORK_DIR}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "command failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(LAST_OUTPUT "${out}" PARENT_SCOPE)
endfunction()

if(QZ_MODE STREQUAL "find_package")
  run(${CMAKE_COMMAND} --install "${QZ_BUILD_DIR}" --prefix "${QZ_WORK_DIR}/prefix")
  # Everything under the prefix: qz, the version header and, when built,
  # the Python module (a packager stages the whole).
  file(GLOB_RECURSE staged RELATIVE "${QZ_WORK_DIR}/prefix" "${QZ_WORK_DIR}/prefix/*")
  foreach(want "bin/qz" "include/qzCore/Version.h")
    if(NOT want IN_LIST staged)
      message(FATAL_ERROR "not installed under the prefix: ${want}")
    endif()
  endforeach()
  if(QZ_PYTHON AND NOT staged MATCHES "python3[^;]*-packages/qzcore[^;/]*\\.so")
    message(FATAL_ERROR "the Python module is not installed under the prefix")
  endif()
  run(${CMAKE_COMMAND} -S "${QZ_SOURCE_DIR}/tests/consumer" -B "${QZ_WORK_DIR}/build" -G "${QZ_GENERATOR}"
      -DCMAKE_PREFIX_PATH=${QZ_WORK_DIR}/prefix -DQZ_MODE=find_package)
else()
  run(${CMAKE_COMMAND} -S "${QZ_SOURCE_DIR}/tests/consumer" -B "${QZ_WORK_DIR}/build" -G "${QZ_GENERATOR}"
      -DQZ_MODE=add_subdirectory -DQZ_SOURCE_DIR=${QZ_SOURCE_DIR})
endif()
run(${CMAKE_COMMAND} --build "${QZ_WORK_DIR}/build")
run("${QZ_WORK_DIR}/build/consumer")
if(NOT LAST_OUTPUT MATCHES "pole 270/60\nversion [0-9]+\\.[0-9]+\\.[0-9]+\n")
  message(FATAL_ERROR "unexpected consumer output: ${LAST_OUTPUT}")
endif()
