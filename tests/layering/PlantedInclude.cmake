# Shows that the floor check catches what it is for: copies the floors into
# a scratch folder, plants one offending include in a copy of a file (or in a
# new file), runs the check there and requires it to fail and to name that file.
#
# cmake -DROOT=<repository> -DSCRATCH=<folder> -DFILE=<file under ROOT>
#       -DLINE=<the planted line> -P PlantedInclude.cmake

foreach(variable ROOT SCRATCH FILE LINE)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "${variable} is not set")
  endif()
endforeach()

include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/Floors.cmake")
file(REMOVE_RECURSE "${SCRATCH}")
foreach(folder IN LISTS TRALTO_PRODUCT_FOLDERS)
  file(COPY "${ROOT}/${folder}" DESTINATION "${SCRATCH}" FILES_MATCHING
    PATTERN "*.h" PATTERN "*.cpp" PATTERN "*.c")
endforeach()

# The unchanged copy passes: a failure below is the planted line's doing.
execute_process(COMMAND "${CMAKE_COMMAND}" -DROOT=${SCRATCH}
    -P "${CMAKE_CURRENT_LIST_DIR}/CheckLayers.cmake"
  RESULT_VARIABLE clean_result OUTPUT_VARIABLE clean_output ERROR_VARIABLE clean_output)
if(NOT clean_result EQUAL 0)
  message(FATAL_ERROR "The copy fails before anything is planted:\n${clean_output}")
endif()

set(content "")
if(EXISTS "${SCRATCH}/${FILE}")
  file(READ "${SCRATCH}/${FILE}" content)
endif()
file(WRITE "${SCRATCH}/${FILE}" "${LINE}\n${content}")
execute_process(COMMAND "${CMAKE_COMMAND}" -DROOT=${SCRATCH}
    -P "${CMAKE_CURRENT_LIST_DIR}/CheckLayers.cmake"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(REMOVE_RECURSE "${SCRATCH}")

if(result EQUAL 0)
  message(FATAL_ERROR "The check passed although ${FILE} has: ${LINE}")
endif()
string(FIND "${output}" "${FILE}:" named)
if(named EQUAL -1)
  message(FATAL_ERROR "The check failed, but without naming ${FILE}:\n${output}")
endif()
message(STATUS "Caught as expected:\n${output}")
