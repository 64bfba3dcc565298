# Builds tests/consumer/installed against the engine installed under PREFIX
# (by `cmake --install`, or unpacked from the development package) and runs
# it. With BUILD, installs that build into PREFIX first.
#
# cmake -DSOURCE=<repository> -DPREFIX=<folder> -DSCRATCH=<folder> [-DBUILD=<build>]
#   -P CheckInstalled.cmake

if(DEFINED BUILD)
  file(REMOVE_RECURSE "${PREFIX}")
  execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${output}")
  endif()
endif()

file(REMOVE_RECURSE "${SCRATCH}")
# Only PREFIX may provide the package: the system's folders are not searched.
execute_process(
  COMMAND "${CMAKE_COMMAND}" -S "${SOURCE}/tests/consumer/installed" -B "${SCRATCH}"
    "-DCMAKE_PREFIX_PATH=${PREFIX}" -DCMAKE_FIND_USE_CMAKE_SYSTEM_PATH=OFF
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The consumer does not find the installed package:\n${output}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${SCRATCH}"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The consumer does not build against the installed package:\n${output}")
endif()
# Standard error holds the evaluator's trace.
execute_process(COMMAND "${SCRATCH}/consumer"
  RESULT_VARIABLE result OUTPUT_VARIABLE printed ERROR_QUIET)
file(REMOVE_RECURSE "${SCRATCH}")
# The point (3, 0, 0) has the spherical radius 3.
if(NOT result EQUAL 0 OR NOT printed STREQUAL "3\n")
  message(FATAL_ERROR "The consumer printed '${printed}' (status ${result}), expected '3'")
endif()
message(STATUS "A project outside Tralto builds and runs with the installed Tralto::core")
